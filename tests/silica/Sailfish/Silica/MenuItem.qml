import QtQuick 2.6
import Sailfish.Silica 1.0

MouseArea {
    id: item

    property alias text: label.text
    property alias horizontalAlignment: label.horizontalAlignment
    readonly property bool down: pressed
    property bool highlighted: pressed
    readonly property bool __silica_menuitem: true

    signal delayedClick()

    width: parent ? parent.width : 0
    height: Theme.itemSizeExtraSmall

    onClicked: {
        var menu = parent;
        while (menu && menu.__silica_menu === undefined)
            menu = menu.parent;
        if (menu)
            menu._itemClicked(item);
        delayedClick();
    }

    Text {
        id: label
        anchors.fill: parent
        anchors.leftMargin: Theme.horizontalPageMargin
        anchors.rightMargin: Theme.horizontalPageMargin
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        color: !item.enabled ? Theme.secondaryColor : item.highlighted ? Theme.highlightColor : Theme.primaryColor
        font.pixelSize: Theme.fontSizeMedium
    }
}
