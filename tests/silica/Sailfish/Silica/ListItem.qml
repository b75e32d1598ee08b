import QtQuick 2.6
import Sailfish.Silica 1.0

// A list entry: press and hold opens its menu (a ContextMenu, or a Component
// making one) under it; remorseAction() runs an action after a remorse timer
// that a tap cancels.
BackgroundItem {
    id: item

    property var menu: null
    property real contentHeight: Theme.itemSizeSmall
    property bool showMenuOnPressAndHold: true
    readonly property bool menuOpen: _menuItem !== null && _menuItem.active
    property Item _menuItem: null

    function openMenu(properties) {
        if (!menu)
            return null;
        if (!_menuItem)
            _menuItem = menu.createObject !== undefined ? menu.createObject(item, properties || {}) : menu;
        _menuItem.parent = item;
        _menuItem.y = contentHeight;
        _menuItem.active = true;
        return _menuItem;
    }
    function closeMenu() {
        if (_menuItem)
            _menuItem.close();
    }
    function remorseAction(text, action, timeout) {
        var remorse = remorseComponent.createObject(item);
        remorse.execute(item, text, action, timeout);
        return remorse;
    }

    height: contentHeight + (menuOpen ? _menuItem.height : 0)
    contentItem.height: contentHeight
    onPressAndHold: {
        if (showMenuOnPressAndHold)
            openMenu();
    }

    Component {
        id: remorseComponent
        RemorseItem {}
    }
}
