import QtQuick 2.6
import Sailfish.Silica 1.0

Item {
    property string title
    property string description

    width: parent ? parent.width : 0
    height: Theme.itemSizeLarge

    Column {
        anchors.right: parent.right
        anchors.rightMargin: Theme.horizontalPageMargin
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width - Theme.itemSizeExtraSmall - Theme.horizontalPageMargin
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignRight
            elide: Text.ElideRight
            color: Theme.highlightColor
            font.pixelSize: Theme.fontSizeLarge
            text: title
        }
        Text {
            width: parent.width
            visible: text !== ""
            horizontalAlignment: Text.AlignRight
            elide: Text.ElideRight
            color: Theme.secondaryHighlightColor
            font.pixelSize: Theme.fontSizeSmall
            text: description
        }
    }
}
