import QtQuick 2.6

// A small push button made of plain QtQuick items.
Rectangle {
    id: button
    property alias text: label.text
    property bool enabled: true
    signal clicked()

    width: Math.max(56, label.implicitWidth + 16)
    height: 28
    radius: 3
    color: !enabled ? "#2a2a2a" : mouse.pressed ? "#505050" : mouse.containsMouse ? "#404040" : "#333333"
    border.color: "#555555"

    Text {
        id: label
        anchors.centerIn: parent
        color: button.enabled ? "#e8e8e8" : "#707070"
        font.pixelSize: 13
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: button.enabled
        onClicked: button.clicked()
    }
}
