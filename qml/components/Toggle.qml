import QtQuick 2.6

// A labelled on/off switch made of plain items; the whole line is the tap
// target.
Item {
    id: toggle
    property alias label: caption.text
    property bool checked: false
    property real fontPixelSize: 13
    signal toggled(bool checked)

    implicitWidth: track.width + labelMetrics.width + fontPixelSize * 1.2
    implicitHeight: Math.round(fontPixelSize * 2.1)
    width: implicitWidth
    height: implicitHeight

    TextMetrics {
        id: labelMetrics
        font: caption.font
        text: caption.text
    }

    Rectangle {
        id: track
        width: Math.round(toggle.fontPixelSize * 2.8)
        height: Math.round(toggle.fontPixelSize * 1.4)
        radius: height / 2
        anchors.verticalCenter: parent.verticalCenter
        color: toggle.checked ? "#3c8a3c" : "#4a4a4a"
        Rectangle {
            width: parent.height - 4
            height: width
            radius: width / 2
            y: 2
            x: toggle.checked ? parent.width - width - 2 : 2
            color: "#f0f0f0"
        }
    }
    Text {
        id: caption
        anchors.left: track.right
        anchors.leftMargin: toggle.fontPixelSize * 0.6
        anchors.verticalCenter: parent.verticalCenter
        width: Math.max(0, toggle.width - track.width - anchors.leftMargin)
        elide: Text.ElideRight
        color: "#d0d0d0"
        font.pixelSize: toggle.fontPixelSize
    }
    MouseArea {
        anchors.fill: parent
        onClicked: toggle.toggled(!toggle.checked)
    }
}
