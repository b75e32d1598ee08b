import QtQuick 2.6
import Sailfish.Silica 1.0

// Covers an item while a timer runs; when it ends the action runs, a tap
// before that cancels it.
MouseArea {
    id: remorse

    property string text
    readonly property bool pending: timer.running
    property var _action: null

    signal triggered()
    signal canceled()

    function execute(item, text, callback, timeout) {
        parent = item;
        width = item.width;
        height = item.contentHeight !== undefined ? item.contentHeight : item.height;
        remorse.text = text;
        _action = callback;
        _start(timeout);
    }
    function _start(timeout) {
        timer.interval = timeout !== undefined ? timeout : 5000;
        timer.restart();
    }
    function cancel() {
        timer.stop();
        _action = null;
        canceled();
    }

    objectName: "remorse"
    z: 100
    visible: pending
    onClicked: cancel()

    Timer {
        id: timer
        onTriggered: {
            var action = remorse._action;
            remorse._action = null;
            remorse.triggered();
            if (action)
                action();
        }
    }
    Rectangle {
        anchors.fill: parent
        color: Theme.rgba(Theme.highlightDimmerColor, 0.95)
    }
    Column {
        anchors.verticalCenter: parent.verticalCenter
        x: Theme.horizontalPageMargin
        width: parent.width - 2 * x
        Text {
            width: parent.width
            elide: Text.ElideRight
            color: Theme.primaryColor
            font.pixelSize: Theme.fontSizeMedium
            text: remorse.text
        }
        Text {
            color: Theme.secondaryColor
            font.pixelSize: Theme.fontSizeExtraSmall
            text: "Tap to cancel"
        }
    }
}
