import QtQuick 2.6
import Sailfish.Silica 1.0

// A label and its value side by side.
Item {
    property alias label: labelText.text
    property alias value: valueText.text

    width: parent ? parent.width : 0
    height: Math.max(labelText.height, valueText.height) + 2 * Theme.paddingSmall

    Text {
        id: labelText
        y: Theme.paddingSmall
        x: Theme.horizontalPageMargin
        width: parent.width / 2 - Theme.horizontalPageMargin - Theme.paddingSmall
        horizontalAlignment: Text.AlignRight
        wrapMode: Text.Wrap
        color: Theme.secondaryHighlightColor
        font.pixelSize: Theme.fontSizeSmall
    }
    Text {
        id: valueText
        y: Theme.paddingSmall
        x: parent.width / 2 + Theme.paddingSmall
        width: parent.width / 2 - Theme.horizontalPageMargin - Theme.paddingSmall
        wrapMode: Text.Wrap
        color: Theme.highlightColor
        font.pixelSize: Theme.fontSizeSmall
    }
}
