import QtQuick 2.6

// A question over the page with a confirming button and Cancel; nothing
// happens until one of them is chosen. ask() shows it and keeps the action
// to run on yes. While it is shown it holds the keyboard focus: Return says
// yes, Escape says no, and no key reaches the terminal.
FocusScope {
    id: panel
    property string question: ""
    property string confirmLabel: ""
    property real fontPixelSize: 14
    property real buttonHeight: 28
    property var action: null
    readonly property bool shown: visible

    signal answered(bool yes)

    function ask(text, label, onYes) {
        question = text;
        confirmLabel = label;
        action = onYes;
        visible = true;
        forceActiveFocus();
    }
    function answer(yes) {
        var run = action;
        action = null;
        visible = false;
        answered(yes);
        if (yes && run)
            run();
    }

    visible: false
    anchors.fill: parent
    z: 100

    Keys.onReturnPressed: answer(true)
    Keys.onEnterPressed: answer(true)
    Keys.onEscapePressed: answer(false)
    // Every other key stops here.
    Keys.onPressed: event.accepted = true

    // Catches taps beside the box, so that nothing underneath is touched.
    Rectangle {
        anchors.fill: parent
        color: "#000000"
        opacity: 0.55
        MouseArea { anchors.fill: parent }
    }

    Rectangle {
        id: box
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * panel.fontPixelSize, panel.fontPixelSize * 32)
        height: content.height + 2 * panel.fontPixelSize
        color: "#262626"
        border.color: "#707070"
        radius: 4

        Column {
            id: content
            x: panel.fontPixelSize
            y: panel.fontPixelSize
            width: parent.width - 2 * x
            spacing: panel.fontPixelSize

            Text {
                objectName: "question"
                width: parent.width
                wrapMode: Text.Wrap
                color: "#ffffff"
                font.pixelSize: panel.fontPixelSize
                text: panel.question
            }
            Row {
                anchors.right: parent.right
                spacing: panel.fontPixelSize * 0.6
                ActionButton {
                    objectName: "cancelButton"
                    text: qsTr("Cancel")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.buttonHeight
                    onClicked: panel.answer(false)
                }
                ActionButton {
                    objectName: "confirmButton"
                    text: panel.confirmLabel
                    highlighted: true
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.buttonHeight
                    onClicked: panel.answer(true)
                }
            }
        }
    }
}
