import QtQuick 2.6

// The heading of a group of settings, with a little room above it.
Item {
    property alias text: title.text
    property real fontPixelSize: 13
    width: title.implicitWidth
    height: title.implicitHeight + Math.round(fontPixelSize * 0.5)
    Text {
        id: title
        anchors.bottom: parent.bottom
        color: "#ffffff"
        font.pixelSize: Math.round(parent.fontPixelSize * 1.15)
        font.bold: true
    }
}
