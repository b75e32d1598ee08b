import QtQuick 2.6
import Sailfish.Silica 1.0

// The page-wide remorse: a bar at the top of the page while the timer runs.
RemorseItem {
    function execute(text, callback, timeout) {
        y = 0;
        width = parent ? parent.width : 0;
        height = Theme.itemSizeSmall;
        remorse.text = text;
        _action = callback;
        _start(timeout);
    }
    id: remorse
    objectName: "remorsePopup"
}
