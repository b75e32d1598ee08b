import QtQuick 2.6
import Sailfish.Silica 1.0

// A page of the stack; its status and orientation are set by the stack.
Item {
    id: page

    property int allowedOrientations: Orientation.Portrait
    readonly property int orientation: pageContainer ? pageContainer.orientation : Orientation.Portrait
    readonly property bool isPortrait: (orientation & Orientation.PortraitMask) !== 0
    readonly property bool isLandscape: (orientation & Orientation.LandscapeMask) !== 0
    property int status: PageStatus.Inactive
    property bool backNavigation: true
    property bool forwardNavigation: false
    property bool showNavigationIndicator: true
    property Item pageContainer: null

    visible: false
}
