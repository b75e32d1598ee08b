.pragma library

// Sizes of the terminal view. The client stores a zoom from 0.5 to 3.0 with
// 1.25 as its default; the view shows the default as the screen fitted to
// its width, so a first start fits and other values scale from there.
var FIT_ZOOM = 1.25;
var MIN_ZOOM = 0.5;
var MAX_ZOOM = 3.0;
// A cell is this many times as high as it is wide, as on a display station:
// the monospace glyph (about 0.6 em wide at 0.78 of the cell height) just
// fits, with room for the underscore.
var CELL_ASPECT = 2.0;
// Where fitting the whole screen into the height still leaves cells at
// least this high (millimetres), the whole screen is shown; below, the
// width is fitted and the rows are panned.
var READABLE_CELL_MM = 3.0;

// The zoom as the client's setter stores it.
function clamp(zoom) {
    return Math.max(MIN_ZOOM, Math.min(MAX_ZOOM, zoom));
}

// Cell width at which the screen fits the view (zoom FIT_ZOOM).
function fitCellWidth(viewWidth, viewHeight, columns, rows, pixelsPerMm) {
    if (columns <= 0 || rows <= 0 || viewWidth <= 0)
        return 1;
    var byWidth = viewWidth / columns;
    var byHeight = viewHeight / (rows * CELL_ASPECT);
    if (byHeight < byWidth && byHeight * CELL_ASPECT >= READABLE_CELL_MM * pixelsPerMm)
        return byHeight;
    return byWidth;
}

function cellWidth(fitWidth, zoom) {
    return Math.max(1, fitWidth * clamp(zoom) / FIT_ZOOM);
}

// The zoom after a step of the desktop's zoom keys or wheel (+1 / -1).
function stepped(zoom, steps) {
    return clamp(Math.round((zoom * Math.pow(1.125, steps)) * 1000) / 1000);
}

// The content position (one axis) that brings [start, start + size) into a
// viewport of viewport at position, with margin around it, within
// [0, content - viewport].
function reveal(position, viewport, content, start, size, margin) {
    var target = position;
    if (start - margin < target)
        target = start - margin;
    else if (start + size + margin > target + viewport)
        target = start + size + margin - viewport;
    return Math.max(0, Math.min(target, content - viewport));
}
