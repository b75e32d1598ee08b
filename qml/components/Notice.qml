import QtQuick 2.6

// A short message over the bottom of the page that goes by itself after a
// few seconds or at a tap: for what the page itself has to tell (an address
// that could not be opened), not for the host's messages.
Rectangle {
    id: notice
    property real fontPixelSize: 14
    property alias text: label.text

    function show(message) {
        label.text = message;
        visible = true;
        hideTimer.restart();
    }

    visible: false
    z: 90
    width: Math.min(parent.width - 2 * fontPixelSize, label.implicitWidth + 2 * fontPixelSize)
    height: label.height + fontPixelSize
    radius: 4
    color: "#3a2a10"
    border.color: "#ffd060"

    Text {
        id: label
        objectName: "noticeText"
        anchors.centerIn: parent
        width: parent.width - notice.fontPixelSize
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        color: "#ffffff"
        font.pixelSize: notice.fontPixelSize
    }
    MouseArea {
        anchors.fill: parent
        onClicked: notice.visible = false
    }
    Timer {
        id: hideTimer
        interval: 5000
        onTriggered: notice.visible = false
    }
}
