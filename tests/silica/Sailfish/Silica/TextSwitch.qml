import QtQuick 2.6
import Sailfish.Silica 1.0

// A switch with its text and a description; a tap toggles checked (unless
// automaticCheck is off) and emits clicked.
BackgroundItem {
    id: item

    property alias text: label.text
    property alias description: descriptionText.text
    property bool checked: false
    property bool automaticCheck: true
    property bool busy: false

    height: Math.max(Theme.itemSizeSmall, texts.height + 2 * Theme.paddingMedium)
    onClicked: {
        if (automaticCheck)
            checked = !checked;
    }

    Rectangle {
        id: indicator
        x: Theme.horizontalPageMargin
        anchors.verticalCenter: texts.top
        anchors.verticalCenterOffset: label.height / 2
        width: Theme.fontSizeMedium
        height: width
        radius: width / 2
        color: item.checked ? Theme.highlightColor : "transparent"
        border.color: item.checked ? Theme.highlightColor : Theme.secondaryColor
        border.width: Math.max(1, Theme.paddingSmall / 3)
        opacity: item.enabled ? 1 : 0.4
    }
    Column {
        id: texts
        anchors.verticalCenter: parent.verticalCenter
        x: indicator.x + indicator.width + Theme.paddingLarge
        width: parent.width - x - Theme.horizontalPageMargin
        Text {
            id: label
            width: parent.width
            wrapMode: Text.Wrap
            color: !item.enabled ? Theme.secondaryColor : item.pressed ? Theme.highlightColor : Theme.primaryColor
            font.pixelSize: Theme.fontSizeMedium
        }
        Text {
            id: descriptionText
            width: parent.width
            visible: text !== ""
            wrapMode: Text.Wrap
            color: Theme.secondaryColor
            font.pixelSize: Theme.fontSizeExtraSmall
        }
    }
}
