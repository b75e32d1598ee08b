pragma Singleton
import QtQuick 2.6

// The platform's Theme with a dark ambience: the sizes of a 540 x 960 phone
// (pixel ratio 1) scaled by the pixel ratio, as the platform scales them for
// a phone of another density. The ratio is 1 unless the environment sets
// VANTOREL_SILICA_PIXEL_RATIO (the plugin reads it), e.g. 0.67 for the
// layout of a 360 x 640 phone.
QtObject {
    readonly property real pixelRatio: __silicaPixelRatio

    readonly property int paddingSmall: Math.round(6 * pixelRatio)
    readonly property int paddingMedium: Math.round(12 * pixelRatio)
    readonly property int paddingLarge: Math.round(24 * pixelRatio)
    readonly property int horizontalPageMargin: Math.round(24 * pixelRatio)

    readonly property int itemSizeExtraSmall: Math.round(70 * pixelRatio)
    readonly property int itemSizeSmall: Math.round(80 * pixelRatio)
    readonly property int itemSizeMedium: Math.round(100 * pixelRatio)
    readonly property int itemSizeLarge: Math.round(110 * pixelRatio)
    readonly property int itemSizeExtraLarge: Math.round(135 * pixelRatio)

    readonly property int fontSizeTiny: Math.round(20 * pixelRatio)
    readonly property int fontSizeExtraSmall: Math.round(24 * pixelRatio)
    readonly property int fontSizeSmall: Math.round(28 * pixelRatio)
    readonly property int fontSizeMedium: Math.round(32 * pixelRatio)
    readonly property int fontSizeLarge: Math.round(40 * pixelRatio)
    readonly property int fontSizeExtraLarge: Math.round(50 * pixelRatio)

    readonly property int buttonWidthSmall: Math.round(234 * pixelRatio)
    readonly property int buttonWidthMedium: Math.round(292 * pixelRatio)
    readonly property size coverSizeLarge: Qt.size(Math.round(234 * pixelRatio), Math.round(374 * pixelRatio))

    readonly property color primaryColor: "#ffffff"
    readonly property color secondaryColor: "#a6ffffff"
    readonly property color highlightColor: "#87cefa"
    readonly property color secondaryHighlightColor: "#a687cefa"
    readonly property color highlightBackgroundColor: "#3c7dbf"
    readonly property color highlightDimmerColor: "#05192e"
    readonly property color errorColor: "#ff4d4d"

    function rgba(color, opacity) {
        return Qt.rgba(color.r, color.g, color.b, opacity);
    }
}
