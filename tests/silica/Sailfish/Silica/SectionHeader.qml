import QtQuick 2.6
import Sailfish.Silica 1.0

Text {
    x: Theme.horizontalPageMargin
    width: parent ? parent.width - 2 * x : 0
    height: Theme.itemSizeExtraSmall
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignRight
    elide: Text.ElideRight
    color: Theme.highlightColor
    font.pixelSize: Theme.fontSizeSmall
}
