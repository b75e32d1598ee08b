// QtQuick 2.0, not 2.6: QtQuick's own EnterKey (2.6) would hide Silica's.
import QtQuick 2.0
import Sailfish.Silica 1.0

// The current profile's IBM i login. The user name is kept in the settings
// file, the password only in the phone's secure store: it is handed to the
// client when the login is saved, and the field is emptied at once so that
// no copy of it stays on the page.
Page {
    id: page
    objectName: "signOnPage"
    allowedOrientations: Orientation.All

    // Whether saving keeps the password; starts as the profile has it.
    property bool rememberPassword: tnClient.passwordSaved

    function save() {
        tnClient.saveLoginCredentials(userField.text, passwordField.text, rememberPassword);
        passwordField.text = "";
    }
    function clear() {
        tnClient.clearLoginCredentials();
        passwordField.text = "";
    }

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width
            spacing: Theme.paddingSmall

            PageHeader {
                title: qsTr("Sign-on")
                description: tnClient.currentProfileName
            }

            SectionHeader { text: qsTr("Login") }
            SettingField {
                id: userField
                objectName: "userField"
                settingLabel: qsTr("User")
                settingValue: tnClient.userName
                inputMethodHints: Qt.ImhNoPredictiveText | Qt.ImhPreferUppercase
                onCommitted: tnClient.userName = text
            }
            PasswordField {
                id: passwordField
                objectName: "passwordField"
                label: qsTr("Password")
                placeholderText: tnClient.passwordSaved ? qsTr("Password saved; type a new one to change it")
                                                        : qsTr("Password")
                EnterKey.iconSource: "image://theme/icon-m-enter-accept"
                EnterKey.onClicked: page.save()
            }
            TextSwitch {
                objectName: "rememberSwitch"
                text: qsTr("Remember password")
                description: qsTr("In the phone's secure store, never in the settings file.")
                automaticCheck: false
                checked: page.rememberPassword
                onClicked: page.rememberPassword = !page.rememberPassword
            }

            SectionHeader { text: qsTr("At the sign-on screen") }
            TextSwitch {
                text: qsTr("Sign on automatically")
                description: qsTr("Fills and sends the host's sign-on screen once per connection.")
                automaticCheck: false
                checked: tnClient.autoLogin
                onClicked: tnClient.autoLogin = !tnClient.autoLogin
            }
            // Off unless the user turns it on: without TLS the password
            // crosses the network readable.
            TextSwitch {
                objectName: "autoLoginWithoutTlsSwitch"
                text: qsTr("Sign on automatically without TLS too")
                description: qsTr("Without TLS the password crosses the network readable.")
                automaticCheck: false
                checked: tnClient.autoLoginWithoutTls
                onClicked: tnClient.autoLoginWithoutTls = !tnClient.autoLoginWithoutTls
            }

            Item { width: parent.width; height: Theme.paddingMedium }
            Column {
                width: parent.width
                spacing: Theme.paddingMedium
                Button {
                    objectName: "saveLogin"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Save login")
                    onClicked: page.save()
                }
                Button {
                    objectName: "clearLogin"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Clear login")
                    enabled: tnClient.userName !== "" || tnClient.passwordSaved
                    onClicked: remorse.execute(qsTr("Clearing the saved login"), page.clear)
                }
            }
            Label {
                objectName: "credentialStatus"
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                visible: text !== ""
                wrapMode: Text.Wrap
                color: Theme.secondaryHighlightColor
                font.pixelSize: Theme.fontSizeSmall
                text: tnClient.credentialStatus
            }
            Label {
                objectName: "savedLoginHost"
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                visible: tnClient.passwordSaved && tnClient.savedLoginHost !== ""
                wrapMode: Text.Wrap
                color: Theme.secondaryColor
                font.pixelSize: Theme.fontSizeExtraSmall
                text: qsTr("Signs on by itself only to %1:%2").arg(tnClient.savedLoginHost).arg(tnClient.savedLoginPort)
            }
        }

        VerticalScrollDecorator {}
    }

    RemorsePopup { id: remorse }
}
