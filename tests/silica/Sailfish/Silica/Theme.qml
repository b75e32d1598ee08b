pragma Singleton
import QtQuick 2.6

// The platform's Theme for a 540 x 960 phone at pixel ratio 1 (its sizes in
// pixels) with a dark ambience.
QtObject {
    readonly property real pixelRatio: 1.0

    readonly property int paddingSmall: 6
    readonly property int paddingMedium: 12
    readonly property int paddingLarge: 24
    readonly property int horizontalPageMargin: 24

    readonly property int itemSizeExtraSmall: 70
    readonly property int itemSizeSmall: 80
    readonly property int itemSizeMedium: 100
    readonly property int itemSizeLarge: 110
    readonly property int itemSizeExtraLarge: 135

    readonly property int fontSizeTiny: 20
    readonly property int fontSizeExtraSmall: 24
    readonly property int fontSizeSmall: 28
    readonly property int fontSizeMedium: 32
    readonly property int fontSizeLarge: 40
    readonly property int fontSizeExtraLarge: 50

    readonly property int buttonWidthSmall: 234
    readonly property int buttonWidthMedium: 292
    readonly property size coverSizeLarge: Qt.size(234, 374)

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
