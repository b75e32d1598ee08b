import QtQuick 2.6
import Sailfish.Silica 1.0

// Items shown under a list item or a combo box while active; activated(index)
// tells which of its MenuItems was tapped.
Item {
    id: menu

    property bool active: false
    readonly property bool __silica_menu: true
    default property alias content: column.data
    readonly property Item _contentColumn: column

    signal activated(int index)
    signal closed()

    function open(item) {
        if (item)
            parent = item;
        active = true;
    }
    function close() {
        active = false;
        closed();
    }
    function _itemClicked(item) {
        var index = 0;
        for (var i = 0; i < column.children.length; ++i) {
            var child = column.children[i];
            if (child.__silica_menuitem === undefined)
                continue;
            if (child === item) {
                activated(index);
                break;
            }
            ++index;
        }
        close();
    }

    width: parent ? parent.width : 0
    height: active ? column.height : 0
    visible: active

    Rectangle {
        anchors.fill: parent
        color: Theme.rgba(Theme.highlightBackgroundColor, 0.15)
    }
    Column {
        id: column
        width: parent.width
    }
}
