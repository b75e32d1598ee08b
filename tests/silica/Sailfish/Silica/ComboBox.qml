import QtQuick 2.6
import Sailfish.Silica 1.0

// A label with the chosen value; a tap opens its menu under it, and the
// MenuItem tapped there becomes the current one.
BackgroundItem {
    id: combo

    property string label
    property string description
    property int currentIndex: -1
    property Item menu: null
    readonly property Item currentItem: _menuItems()[currentIndex] || null
    readonly property string value: currentItem ? currentItem.text : ""
    readonly property real _rowHeight: Math.max(Theme.itemSizeSmall, texts.height + 2 * Theme.paddingMedium)

    function _menuItems() {
        var items = [];
        var column = menu ? menu._contentColumn : null;
        if (!column)
            return items;
        for (var i = 0; i < column.children.length; ++i) {
            if (column.children[i].__silica_menuitem !== undefined)
                items.push(column.children[i]);
        }
        return items;
    }

    height: _rowHeight + (menu && menu.active ? menu.height : 0)
    contentItem.height: _rowHeight
    onClicked: {
        if (!menu)
            return;
        menu.parent = combo;
        menu.y = _rowHeight;
        menu.active = !menu.active;
    }

    Connections {
        target: combo.menu
        function onActivated(index) { combo.currentIndex = index }
    }

    Column {
        id: texts
        y: Theme.paddingMedium
        x: Theme.horizontalPageMargin
        width: parent.width - 2 * x
        Row {
            width: parent.width
            spacing: Theme.paddingMedium
            Text {
                id: labelText
                color: Theme.primaryColor
                font.pixelSize: Theme.fontSizeMedium
                text: combo.label
            }
            Text {
                width: parent.width - labelText.width - parent.spacing
                elide: Text.ElideRight
                color: Theme.highlightColor
                font.pixelSize: Theme.fontSizeMedium
                text: combo.value
            }
        }
        Text {
            width: parent.width
            visible: text !== ""
            wrapMode: Text.Wrap
            color: Theme.secondaryColor
            font.pixelSize: Theme.fontSizeExtraSmall
            text: combo.description
        }
    }
}
