import QtQuick 2.6

// A label and a one-line text input. `committed(text)` fires on Enter or when
// the input loses focus, so the client is written once per edit.
Row {
    id: row
    property alias label: caption.text
    property string text: ""
    property int inputWidth: 180
    property alias validator: input.validator
    property alias echoMode: input.echoMode
    // What the input holds now, typed but perhaps not committed yet.
    readonly property alias editText: input.text
    signal committed(string text)

    // Empties the input without committing (used for a password once it has
    // been handed over).
    function clear() { input.text = "" }

    spacing: 6
    height: 26

    Text {
        id: caption
        width: 110
        anchors.verticalCenter: parent.verticalCenter
        color: "#c0c0c0"
        font.pixelSize: 13
    }
    Rectangle {
        width: row.inputWidth
        height: parent.height
        color: "#151515"
        border.color: input.activeFocus ? "#808080" : "#454545"
        TextInput {
            id: input
            anchors.fill: parent
            anchors.margins: 4
            verticalAlignment: TextInput.AlignVCenter
            color: "#f0f0f0"
            font.pixelSize: 13
            clip: true
            selectByMouse: true
            text: row.text
            onAccepted: row.committed(text)
            onActiveFocusChanged: {
                if (!activeFocus && text !== row.text)
                    row.committed(text)
            }
        }
    }
}
