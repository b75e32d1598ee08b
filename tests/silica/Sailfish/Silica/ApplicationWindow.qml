import QtQuick 2.6
import Sailfish.Silica 1.0

// The application's root: the page stack over the whole window (540 x 960
// unless the view is resized), the initial page pushed at start, and the
// cover made from its file as the home screen would make it, though not
// shown (a test finds it as "coverLoader").
Item {
    id: window

    property var initialPage
    property var cover
    property int allowedOrientations: Orientation.All
    readonly property int orientation: width > height ? Orientation.Landscape : Orientation.Portrait
    readonly property Item pageStack: stack
    property real bottomMargin: 0
    readonly property bool applicationActive: Qt.application.active

    function activate() {}
    function deactivate() {}

    width: 540
    height: 960

    // The ambience's picture, plain.
    Rectangle {
        anchors.fill: parent
        color: "#141b26"
    }

    PageStack {
        id: stack
        anchors.fill: parent
        anchors.bottomMargin: window.bottomMargin
        orientation: window.orientation
    }

    Loader {
        id: coverLoader
        objectName: "coverLoader"
        visible: false
        width: Theme.coverSizeLarge.width
        height: Theme.coverSizeLarge.height
        source: window.cover ? window.cover : ""
    }

    Component.onCompleted: {
        if (initialPage)
            stack.push(initialPage);
    }
}
