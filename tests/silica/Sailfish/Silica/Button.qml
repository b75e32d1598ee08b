import QtQuick 2.6
import Sailfish.Silica 1.0

MouseArea {
    id: button

    property alias text: label.text
    property real preferredWidth: Theme.buttonWidthSmall
    property color color: Theme.primaryColor
    readonly property bool down: pressed

    implicitWidth: Math.max(preferredWidth, label.implicitWidth + 2 * Theme.paddingLarge)
    implicitHeight: Theme.itemSizeExtraSmall
    width: implicitWidth
    height: implicitHeight

    Rectangle {
        anchors.fill: parent
        radius: Theme.paddingMedium
        color: Theme.rgba(Theme.highlightBackgroundColor, button.pressed ? 0.5 : 0.2)
        opacity: button.enabled ? 1 : 0.4
    }
    Text {
        id: label
        anchors.centerIn: parent
        color: button.enabled ? button.color : Theme.secondaryColor
        font.pixelSize: Theme.fontSizeMedium
    }
}
