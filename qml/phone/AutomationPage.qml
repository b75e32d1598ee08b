import QtQuick 2.6
import Sailfish.Silica 1.0

// What happens without being asked: connecting at start and after a lost
// connection (the current profile), typing ahead, the keyboard on connect
// and the question before a session ends (every profile).
Page {
    id: page
    objectName: "automationPage"
    allowedOrientations: Orientation.All

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width

            PageHeader {
                title: qsTr("Automation")
                description: tnClient.currentProfileName
            }

            SectionHeader { text: qsTr("Connection") }
            TextSwitch {
                text: qsTr("Connect at start")
                automaticCheck: false
                checked: tnClient.autoConnect
                onClicked: tnClient.autoConnect = !tnClient.autoConnect
            }
            TextSwitch {
                text: qsTr("Reconnect after a lost connection")
                description: qsTr("Tries again after 2, 5, 10, 20, then every 30 seconds.")
                automaticCheck: false
                checked: tnClient.autoReconnect
                onClicked: tnClient.autoReconnect = !tnClient.autoReconnect
            }

            SectionHeader { text: qsTr("Keyboard") }
            TextSwitch {
                text: qsTr("Type ahead while the host is busy")
                description: qsTr("Keys typed while the keyboard is locked are sent once it unlocks.")
                automaticCheck: false
                checked: tnClient.typeAhead
                onClicked: tnClient.typeAhead = !tnClient.typeAhead
            }
            TextSwitch {
                text: qsTr("Open the keyboard on connect")
                automaticCheck: false
                checked: tnClient.showKeyboardOnConnect
                onClicked: tnClient.showKeyboardOnConnect = !tnClient.showKeyboardOnConnect
            }

            SectionHeader { text: qsTr("Sessions") }
            TextSwitch {
                objectName: "confirmSwitch"
                text: qsTr("Ask before ending a session")
                description: qsTr("Before disconnecting, and before creating, switching or deleting a profile while connected.")
                automaticCheck: false
                checked: tnClient.confirmDisconnect
                onClicked: tnClient.confirmDisconnect = !tnClient.confirmDisconnect
            }
        }

        VerticalScrollDecorator {}
    }
}
