import QtQuick 2.6

// Profiles, the connection settings of the current profile, its saved
// sign-on, the switches the client acts on, and the profile's macros. Every change goes straight to
// the client's setters and operations; nothing is kept here.
Rectangle {
    id: panel
    property var client
    // Whether "Save login" keeps the password; starts as the profile has it.
    property bool rememberPassword: client ? client.passwordSaved : false
    signal done()

    color: "#181818"
    border.color: "#404040"

    Flickable {
        anchors.fill: parent
        anchors.margins: 8
        contentHeight: content.height
        clip: true

        Column {
            id: content
            width: parent.width
            spacing: 8

            // --- Profiles ------------------------------------------------------
            Text { text: "Profiles"; color: "#e0e0e0"; font.pixelSize: 15; font.bold: true }
            Flow {
                width: parent.width
                spacing: 4
                Repeater {
                    model: client.profiles
                    ActionButton {
                        text: modelData.name + (modelData.host ? " (" + modelData.host + ")" : "")
                        color: modelData.active ? "#2f4f2f" : "#333333"
                        onClicked: client.switchProfile(modelData.id)
                    }
                }
            }
            Row {
                spacing: 4
                ActionButton { text: "New"; onClicked: client.createProfile("") }
                ActionButton { text: "Duplicate"; onClicked: client.duplicateCurrentProfile() }
                ActionButton {
                    text: "Delete"
                    enabled: client.profileCount > 1
                    onClicked: client.deleteCurrentProfile()
                }
            }
            LabeledInput {
                label: "Profile name"
                text: client.currentProfileName
                onCommitted: client.currentProfileName = text
            }

            // --- Connection -----------------------------------------------------
            Text { text: "Connection"; color: "#e0e0e0"; font.pixelSize: 15; font.bold: true }
            LabeledInput {
                label: "Host"
                inputWidth: 260
                text: client.host
                onCommitted: client.host = text
            }
            LabeledInput {
                label: "Port"
                inputWidth: 80
                text: "" + client.port
                validator: IntValidator { bottom: 1; top: 65535 }
                onCommitted: client.port = parseInt(text, 10)
            }
            LabeledInput {
                label: "Device name"
                inputWidth: 120
                text: client.deviceName
                onCommitted: client.deviceName = text
            }
            Row {
                spacing: 6
                Text {
                    width: 110
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#c0c0c0"
                    font.pixelSize: 13
                    text: "Code page"
                }
                ActionButton {
                    text: client.codePageDescription
                    // Steps through the offered code pages.
                    onClicked: {
                        var options = client.codePageOptions
                        for (var i = 0; i < options.length; ++i) {
                            if (options[i].value === client.codePage) {
                                client.codePage = options[(i + 1) % options.length].value
                                return
                            }
                        }
                        client.codePage = options[0].value
                    }
                }
            }
            Toggle { label: "TLS"; checked: client.tlsEnabled; onToggled: client.tlsEnabled = checked }
            Toggle { label: "Offer 27 x 132"; checked: client.support132; onToggled: client.support132 = checked }
            Toggle { label: "Connect at start"; checked: client.autoConnect; onToggled: client.autoConnect = checked }
            Toggle { label: "Reconnect after a lost connection"; checked: client.autoReconnect; onToggled: client.autoReconnect = checked }

            // --- Sign-on ---------------------------------------------------------
            // The password goes to the secure store through the client; the
            // input is emptied as soon as it has been handed over.
            Text { text: "Sign-on"; color: "#e0e0e0"; font.pixelSize: 15; font.bold: true }
            LabeledInput {
                id: loginUser
                label: "User"
                inputWidth: 140
                text: client.userName
                onCommitted: client.userName = text
            }
            LabeledInput {
                id: loginPassword
                label: "Password"
                inputWidth: 140
                echoMode: TextInput.Password
            }
            Toggle {
                label: "Remember password"
                checked: panel.rememberPassword
                onToggled: panel.rememberPassword = checked
            }
            Toggle { label: "Sign on automatically"; checked: client.autoLogin; onToggled: client.autoLogin = checked }
            Row {
                spacing: 4
                ActionButton {
                    text: "Save login"
                    onClicked: {
                        client.saveLoginCredentials(loginUser.editText, loginPassword.editText, panel.rememberPassword)
                        loginPassword.clear()
                    }
                }
                ActionButton {
                    text: "Clear login"
                    onClicked: { client.clearLoginCredentials(); loginPassword.clear() }
                }
            }
            Text {
                width: parent.width
                wrapMode: Text.Wrap
                color: "#a0a0a0"
                font.pixelSize: 12
                text: client.credentialStatus
            }

            // --- Terminal --------------------------------------------------------
            Text { text: "Terminal"; color: "#e0e0e0"; font.pixelSize: 15; font.bold: true }
            Toggle { label: "Type ahead while the host is busy"; checked: client.typeAhead; onToggled: client.typeAhead = checked }
            Toggle { label: "Tappable F-keys and addresses"; checked: client.hotspotsEnabled; onToggled: client.hotspotsEnabled = checked }
            Toggle { label: "Double click sends Enter"; checked: client.doubleTapEnter; onToggled: client.doubleTapEnter = checked }
            Row {
                spacing: 4
                Text {
                    width: 110
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#c0c0c0"
                    font.pixelSize: 13
                    text: "Theme"
                }
                Repeater {
                    model: 4
                    ActionButton {
                        text: "" + (index + 1)
                        color: client.terminalTheme === index ? "#2f4f2f" : "#333333"
                        onClicked: client.terminalTheme = index
                    }
                }
            }

            // --- Macros -------------------------------------------------------------
            Text { text: "Macros"; color: "#e0e0e0"; font.pixelSize: 15; font.bold: true }
            Text {
                width: parent.width
                wrapMode: Text.WordWrap
                color: "#a0a0a0"
                font.pixelSize: 12
                text: "Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …"
            }
            Repeater {
                model: client.macros
                Row {
                    spacing: 4
                    ActionButton { text: "Run " + modelData.name; onClicked: client.runMacroAt(modelData.index) }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        color: "#a0a0a0"
                        font.pixelSize: 12
                        text: modelData.sequence
                        width: 260
                        elide: Text.ElideRight
                    }
                    ActionButton { text: "Delete"; onClicked: client.deleteMacro(modelData.index) }
                }
            }
            Row {
                spacing: 4
                LabeledInput { id: macroName; label: "New macro"; inputWidth: 100 }
                LabeledInput { id: macroSequence; label: "Sequence"; inputWidth: 220 }
                ActionButton {
                    text: "Add"
                    onClicked: client.saveMacro(-1, macroName.editText, macroSequence.editText)
                }
            }

            ActionButton { text: "Close"; onClicked: panel.done() }
        }
    }
}
