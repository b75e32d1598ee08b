import QtQuick 2.6
import Sailfish.Silica 1.0

// What an empty view says; shown while enabled.
Column {
    property bool enabled: false
    property alias text: mainText.text
    property alias hintText: hint.text

    visible: enabled
    x: Theme.horizontalPageMargin
    y: Theme.itemSizeLarge * 2
    width: parent ? parent.width - 2 * x : 0
    spacing: Theme.paddingMedium

    Text {
        id: mainText
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: Theme.highlightColor
        font.pixelSize: Theme.fontSizeExtraLarge
    }
    Text {
        id: hint
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: Theme.secondaryHighlightColor
        font.pixelSize: Theme.fontSizeLarge
    }
}
