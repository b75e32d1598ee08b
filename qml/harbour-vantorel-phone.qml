import QtQuick 2.6
import Sailfish.Silica 1.0
import "phone"

// The phone's window, installed as qml/harbour-vantorel.qml: the terminal
// page first, the other pages pushed from its pull-down menu, and the cover
// for the home screen. It holds no texts: the file is renamed when
// installed, and a text's translation is looked up by the name of its file.
ApplicationWindow {
    id: appWindow

    initialPage: Component { TerminalPage {} }
    cover: Qt.resolvedUrl("phone/cover/CoverPage.qml")
    // orientationLock: 0 follows the phone, 1 keeps portrait, 2 landscape.
    // Each page allows every orientation; this narrows them.
    allowedOrientations: tnClient.orientationLock === 1 ? Orientation.PortraitMask
                       : tnClient.orientationLock === 2 ? Orientation.LandscapeMask
                       : Orientation.All

    // Connecting at start is the interface's business: the client never
    // connects on its own.
    Component.onCompleted: {
        if (tnClient.autoConnect)
            tnClient.connectToHost();
    }
}
