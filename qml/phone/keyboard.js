.pragma library

// How much of item the virtual keyboard covers, from the item's bottom edge
// up, in the item's own coordinates. keyboard is the input method's
// keyboardRectangle, in window coordinates. Mapping its corners into the
// item follows the page's rotation in landscape, and gives nothing where
// the platform has already made the page shorter for the keyboard.
// (The later arguments are only there so that a binding that calls this
// is evaluated again when the item's size or orientation changes.)
function coveredHeight(item, keyboard, width, height, orientation) {
    if (!item || !keyboard || keyboard.width <= 0 || keyboard.height <= 0)
        return 0;
    var corners = [
        item.mapFromItem(null, keyboard.x, keyboard.y),
        item.mapFromItem(null, keyboard.x + keyboard.width, keyboard.y),
        item.mapFromItem(null, keyboard.x, keyboard.y + keyboard.height),
        item.mapFromItem(null, keyboard.x + keyboard.width, keyboard.y + keyboard.height)
    ];
    var top = item.height;
    for (var i = 0; i < corners.length; ++i)
        top = Math.min(top, corners[i].y);
    return Math.max(0, Math.min(item.height, item.height - top));
}
