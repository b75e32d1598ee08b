import QtQuick 2.6
import Sailfish.Silica 1.0

Page {
    id: page
    objectName: "aboutPage"
    allowedOrientations: Orientation.All

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width
            spacing: Theme.paddingMedium

            PageHeader { title: qsTr("About") }
            Label {
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                color: Theme.highlightColor
                font.pixelSize: Theme.fontSizeExtraLarge
                text: qsTr("Vantorel")
            }
            Label {
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                wrapMode: Text.Wrap
                color: Theme.secondaryHighlightColor
                font.pixelSize: Theme.fontSizeSmall
                text: qsTr("A 5250 display station for IBM i hosts, over TN5250 with TLS.")
            }
            DetailItem { label: qsTr("Version"); value: tnClient.version }
            DetailItem { label: qsTr("Settings schema"); value: "" + tnClient.settingsSchemaVersion }
        }

        VerticalScrollDecorator {}
    }
}
