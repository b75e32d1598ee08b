import QtQuick 2.6
import Sailfish.Silica 1.0

// The TLS session of the connection: protocol, cipher and the host's
// certificate, while there is one.
Page {
    id: page
    objectName: "tlsPage"
    allowedOrientations: Orientation.All

    readonly property bool hasSession: tnClient.tlsProtocol !== ""

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width

            PageHeader {
                title: qsTr("TLS details")
                description: tnClient.host
            }
            DetailItem { label: qsTr("Protocol"); value: tnClient.tlsProtocol; visible: page.hasSession }
            DetailItem { label: qsTr("Cipher"); value: tnClient.tlsCipher; visible: page.hasSession }
            DetailItem { label: qsTr("Certificate of"); value: tnClient.tlsPeerSubject; visible: page.hasSession }
            DetailItem { label: qsTr("Issued by"); value: tnClient.tlsPeerIssuer; visible: page.hasSession }
            DetailItem { label: qsTr("Valid from"); value: tnClient.tlsValidFrom; visible: page.hasSession }
            DetailItem { label: qsTr("Valid to"); value: tnClient.tlsValidTo; visible: page.hasSession }
        }

        ViewPlaceholder {
            enabled: !page.hasSession
            text: qsTr("No TLS session")
            hintText: tnClient.tlsEnabled ? qsTr("The details show while a TLS connection is up.")
                                          : qsTr("TLS is off for this profile (Settings, Connection).")
        }

        VerticalScrollDecorator {}
    }
}
