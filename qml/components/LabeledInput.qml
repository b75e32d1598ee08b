import QtQuick 2.6
import QtQuick.Window 2.2

// A label and a one-line text input. committed(text) fires once per edit,
// when editing finishes: Return or Enter, the input losing the focus (the
// panel closed, the terminal tapped, the window left) or the application
// quitting. Return and Enter stay here; they never reach the terminal.
// With a check function that returns a message for text it cannot take,
// such text is not committed: the message shows under the input and the
// text stays there to be corrected.
Column {
    id: row
    property alias label: caption.text
    property string text: ""
    property real fontPixelSize: 13
    property real captionWidth: Math.round(fontPixelSize * 8.5)
    property real inputWidth: fontPixelSize * 14
    property alias validator: input.validator
    property alias echoMode: input.echoMode
    property alias inputMethodHints: input.inputMethodHints
    property var check: null
    // What the input holds now, typed but perhaps not committed yet.
    readonly property alias editText: input.text
    readonly property alias input: input
    property string error: ""
    signal committed(string text)

    // Empties the input without committing (used for a password once it has
    // been handed over).
    function clear() { input.text = "" }

    function commit() {
        if (input.text === row.text) {
            error = "";
            return;
        }
        var problem = check ? check(input.text) : "";
        error = problem;
        if (problem === "")
            row.committed(input.text);
    }

    // Leaving the window (closing it, switching away on the phone) keeps the
    // edit even though the input keeps its focus inside the window.
    readonly property bool windowInUse: Window.active && Window.visibility !== Window.Hidden
    onWindowInUseChanged: {
        if (!windowInUse && input.activeFocus)
            commit();
    }
    Component.onCompleted: {
        if (Qt.application.aboutToQuit)
            Qt.application.aboutToQuit.connect(commit);
    }
    Component.onDestruction: {
        if (Qt.application.aboutToQuit)
            Qt.application.aboutToQuit.disconnect(commit);
    }

    spacing: 2

    Row {
        spacing: Math.round(row.fontPixelSize * 0.5)
        height: Math.round(row.fontPixelSize * 2.1)

        Text {
            id: caption
            width: row.captionWidth
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            color: "#d0d0d0"
            font.pixelSize: row.fontPixelSize
        }
        Rectangle {
            width: row.inputWidth
            height: parent.height
            color: "#151515"
            border.color: row.error !== "" ? "#ff7070" : input.activeFocus ? "#9a9a9a" : "#505050"
            TextInput {
                id: input
                anchors.fill: parent
                anchors.margins: 4
                verticalAlignment: TextInput.AlignVCenter
                color: "#f4f4f4"
                font.pixelSize: row.fontPixelSize
                clip: true
                selectByMouse: true
                text: row.text
                Keys.onReturnPressed: { row.commit(); event.accepted = true }
                Keys.onEnterPressed: { row.commit(); event.accepted = true }
                onActiveFocusChanged: {
                    if (!activeFocus)
                        row.commit();
                }
            }
        }
    }
    Text {
        visible: row.error !== ""
        x: row.captionWidth
        width: row.inputWidth
        wrapMode: Text.Wrap
        color: "#ff9090"
        font.pixelSize: Math.round(row.fontPixelSize * 0.9)
        text: row.error
    }
}
