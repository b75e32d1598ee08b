import QtQuick 2.6
import Sailfish.Silica 1.0

// Where the settings are: one page per group.
Page {
    id: page
    objectName: "settingsPage"
    allowedOrientations: Orientation.All

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width

            PageHeader {
                title: qsTr("Settings")
                description: tnClient.currentProfileName
            }

            SectionHeader { text: qsTr("This profile") }
            SettingsEntry {
                objectName: "settings:connection"
                title: qsTr("Connection")
                hint: tnClient.host !== "" ? tnClient.host + ":" + tnClient.port + (tnClient.tlsEnabled ? " · " + qsTr("TLS") : "")
                                           : qsTr("No host yet")
                page: "ConnectionPage.qml"
            }
            SettingsEntry {
                objectName: "settings:signon"
                title: qsTr("Sign-on")
                hint: tnClient.userName === "" ? qsTr("No user saved")
                    : tnClient.passwordSaved ? qsTr("%1, password saved").arg(tnClient.userName)
                    : tnClient.userName
                page: "SignOnPage.qml"
            }
            SettingsEntry {
                objectName: "settings:macros"
                title: qsTr("Macros")
                hint: tnClient.macros.length === 0 ? qsTr("No macros")
                    : tnClient.macros.length === 1 ? qsTr("One macro")
                    : qsTr("%1 macros").arg(tnClient.macros.length)
                page: "MacrosPage.qml"
            }

            SectionHeader { text: qsTr("Terminal") }
            SettingsEntry {
                objectName: "settings:display"
                title: qsTr("Display")
                hint: qsTr("Colours, zoom, orientation, bars")
                page: "DisplayPage.qml"
            }
            SettingsEntry {
                objectName: "settings:automation"
                title: qsTr("Automation")
                hint: qsTr("Connecting, typing ahead, sessions")
                page: "AutomationPage.qml"
            }

            SectionHeader { text: qsTr("Information") }
            SettingsEntry {
                objectName: "settings:tls"
                title: qsTr("TLS details")
                hint: tnClient.tlsProtocol !== "" ? tnClient.tlsProtocol : qsTr("No TLS session")
                page: "TlsPage.qml"
            }
            SettingsEntry {
                objectName: "settings:log"
                title: qsTr("Protocol log")
                hint: qsTr("What the connection did; the support report")
                page: "ProtocolLogPage.qml"
            }
            SettingsEntry {
                objectName: "settings:about"
                title: qsTr("About")
                hint: qsTr("Version %1").arg(tnClient.version)
                page: "AboutPage.qml"
            }
        }

        VerticalScrollDecorator {}
    }
}
