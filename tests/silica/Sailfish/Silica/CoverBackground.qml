import QtQuick 2.6
import Sailfish.Silica 1.0

// The cover; Active while the application is in the background, as on the
// home screen.
Item {
    property int status: Qt.application.active ? Cover.Inactive : Cover.Active

    anchors.fill: parent

    Rectangle {
        anchors.fill: parent
        radius: Theme.paddingMedium
        color: Theme.rgba(Theme.highlightBackgroundColor, 0.25)
    }
}
