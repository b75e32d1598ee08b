import QtQuick 2.6
import Sailfish.Silica 1.0

// A thin bar at the right edge of its flickable while it moves.
Rectangle {
    id: bar

    property Item flickable: null

    x: flickable ? flickable.width - width : 0
    y: flickable ? flickable.visibleArea.yPosition * flickable.height : 0
    width: Theme.paddingSmall
    height: flickable ? flickable.visibleArea.heightRatio * flickable.height : 0
    color: Theme.highlightColor
    opacity: flickable && flickable.moving ? 0.6 : 0

    // Declared inside the flickable, it goes over the flickable.
    Component.onCompleted: {
        var item = parent;
        while (!flickable && item) {
            if (item.visibleArea !== undefined)
                flickable = item;
            item = item.parent;
        }
        if (flickable)
            parent = flickable;
    }
}
