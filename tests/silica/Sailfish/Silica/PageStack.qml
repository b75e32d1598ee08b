import QtQuick 2.6
import Sailfish.Silica 1.0

// Pages one over the other; only the top one shows and is Active. Pushed
// pages (a URL, a Component or a Page) are made here and destroyed when
// popped. No transitions: busy is never true. A "‹" at the top left pops,
// as a swipe back does on the phone.
Item {
    id: stack

    property int orientation: Orientation.Portrait
    property var _pages: []
    readonly property int depth: _pages.length
    readonly property Item currentPage: _pages.length > 0 ? _pages[_pages.length - 1] : null
    readonly property bool busy: false

    function _make(page, properties) {
        if (page === undefined || page === null)
            return null;
        if (typeof page === "object" && page.createObject === undefined)
            return page;
        var component = typeof page === "object" ? page : Qt.createComponent(page);
        if (component.status !== Component.Ready) {
            console.warn("PageStack: cannot load", page, component.errorString());
            return null;
        }
        var made = component.createObject(stack, properties || {});
        if (!made)
            console.warn("PageStack: cannot create", page);
        return made;
    }

    // A page coming to the top takes the focus first, so that what it
    // focuses once Active keeps it.
    function _activate(page, on) {
        if (on) {
            page.visible = true;
            page.forceActiveFocus();
            page.status = PageStatus.Activating;
            page.status = PageStatus.Active;
        } else {
            page.status = PageStatus.Deactivating;
            page.visible = false;
            page.status = PageStatus.Inactive;
        }
    }

    function push(page, properties, operation) {
        var made = _make(page, properties);
        if (!made)
            return null;
        made.parent = stack;
        made.width = Qt.binding(function () { return stack.width; });
        made.height = Qt.binding(function () { return stack.height; });
        made.pageContainer = stack;
        var previous = currentPage;
        var pages = _pages.slice();
        pages.push(made);
        _pages = pages;
        if (previous)
            _activate(previous, false);
        _activate(made, true);
        return made;
    }

    function pop(page, operation) {
        if (_pages.length <= 1)
            return null;
        var pages = _pages.slice();
        var removed = [];
        while (pages.length > 1 && (page === undefined || page === null ? removed.length === 0
                                                                         : pages[pages.length - 1] !== page))
            removed.push(pages.pop());
        _pages = pages;
        for (var i = 0; i < removed.length; ++i) {
            _activate(removed[i], false);
            removed[i].destroy();
        }
        _activate(currentPage, true);
        return removed.length > 0 ? removed[0] : null;
    }

    function find(test) {
        for (var i = _pages.length - 1; i >= 0; --i) {
            if (test(_pages[i]))
                return _pages[i];
        }
        return null;
    }

    function completeAnimation() {}

    MouseArea {
        objectName: "pageStackBack"
        z: 1000
        // A dialog goes back through its header.
        visible: stack.depth > 1 && stack.currentPage !== null && stack.currentPage.backNavigation
                 && stack.currentPage.__silica_dialog === undefined
        width: Theme.itemSizeExtraSmall
        height: Theme.itemSizeExtraSmall
        onClicked: stack.pop()
        Text {
            anchors.centerIn: parent
            color: Theme.highlightColor
            font.pixelSize: Theme.fontSizeLarge
            text: "‹"
        }
    }
}
