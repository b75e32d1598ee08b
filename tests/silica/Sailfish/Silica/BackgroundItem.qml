import QtQuick 2.6
import Sailfish.Silica 1.0

// A touch area that lights up while pressed.
MouseArea {
    id: item

    property bool highlighted: pressed
    readonly property bool down: pressed
    property color highlightedColor: Theme.rgba(Theme.highlightBackgroundColor, 0.3)
    property alias contentItem: content

    width: parent ? parent.width : 0
    height: Theme.itemSizeSmall

    Rectangle {
        id: content
        width: parent.width
        height: parent.height
        color: item.highlighted ? item.highlightedColor : "transparent"
    }
}
