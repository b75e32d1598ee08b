import QtQuick 2.6
import Sailfish.Silica 1.0

// Lies above the top of its flickable's content. Pull the content down more
// than half the menu's height and let go: the menu stays open until one of
// its items is tapped (which runs it) or the content is pushed back up.
Item {
    id: menu

    property Item flickable: null
    property bool busy: false
    readonly property bool active: _open || (flickable !== null && flickable.contentY < flickable.originY)
    property bool _open: false
    readonly property bool __silica_menu: true
    default property alias content: column.data

    function close() {
        _open = false;
        if (flickable)
            flickable.topMargin = 0;
    }
    function _itemClicked(item) { close() }

    width: flickable ? flickable.width : 0
    height: column.height + 2 * Theme.paddingLarge
    y: flickable ? flickable.originY - height : 0
    visible: active

    Rectangle {
        anchors.fill: parent
        color: Theme.rgba(Theme.highlightDimmerColor, 0.9)
    }
    Column {
        id: column
        y: Theme.paddingLarge
        width: parent.width
    }

    Connections {
        target: menu.flickable
        function onDraggingChanged() {
            var flickable = menu.flickable;
            var pulled = flickable.contentY < flickable.originY - Math.min(menu.height / 2, Theme.itemSizeLarge);
            if (!flickable.dragging && !menu._open && pulled) {
                menu._open = true;
                flickable.topMargin = menu.height;
            } else if (flickable.dragging && menu._open && !pulled) {
                menu.close();
            }
        }
        function onMovementEnded() {
            if (menu._open)
                menu.flickable.contentY = menu.flickable.originY - menu.height;
        }
    }

    // Declared inside the flickable, it goes to the flickable's content.
    Component.onCompleted: {
        var item = parent;
        while (!flickable && item) {
            if (item.originY !== undefined && item.contentItem !== undefined)
                flickable = item;
            item = item.parent;
        }
        if (flickable)
            parent = flickable.contentItem;
    }
}
