import QtQuick 2.6
import "zoom.js" as Zoom

// Profiles, the connection settings of the current profile, its saved
// sign-on, the display and the switches the client acts on, and the
// profile's macros. Every change goes straight to the client's setters and
// operations; nothing is kept here. An input is committed when its editing
// finishes, and the connection settings are written to the settings file at
// once, so that quitting loses nothing that was typed.
//
// Profile operations that end a session go through protect (the page's
// question before a session is cut).
Rectangle {
    id: panel
    property var client
    property real fontPixelSize: 13
    property real controlHeight: 28
    // protect(question, confirmLabel, action, always): runs action, after
    // asking where the page wants it to (always asking when always).
    property var protect: function (question, confirmLabel, action, always) { action() }
    // Whether "Save login" keeps the password; starts as the profile has it.
    property bool rememberPassword: client ? client.passwordSaved : false
    signal done()

    readonly property real margin: Math.round(fontPixelSize * 0.7)
    readonly property real captionWidth: Math.round(fontPixelSize * 8.5)
    // Room for an input beside its caption.
    readonly property real inputRoom: Math.max(fontPixelSize * 5, content.width - captionWidth - fontPixelSize)

    // Writes the connection settings now, not only at the next connection.
    function keepConnectionSettings() { client.saveSettings() }

    function portProblem(text) {
        var value = Number(text);
        if (text === "" || isNaN(value) || value !== Math.floor(value) || value < 1 || value > 65535)
            return qsTr("The port is a number from 1 to 65535.");
        return "";
    }

    color: "#181818"
    border.color: "#404040"

    Flickable {
        id: flick
        anchors.fill: parent
        anchors.margins: panel.margin
        contentHeight: content.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: content
            width: flick.width
            spacing: Math.round(panel.fontPixelSize * 0.6)

            Item {
                width: parent.width
                height: panel.controlHeight
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("Settings")
                    color: "#ffffff"
                    font.pixelSize: Math.round(panel.fontPixelSize * 1.3)
                    font.bold: true
                }
                ActionButton {
                    objectName: "closeSettings"
                    anchors.right: parent.right
                    text: qsTr("Close")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    onClicked: panel.done()
                }
            }

            // --- Profiles ------------------------------------------------------
            SectionTitle { text: qsTr("Profiles"); fontPixelSize: panel.fontPixelSize }
            Flow {
                width: parent.width
                spacing: 4
                Repeater {
                    model: client.profiles
                    ActionButton {
                        text: modelData.name + (modelData.host ? " (" + modelData.host + ")" : "")
                        fontPixelSize: panel.fontPixelSize
                        implicitHeight: panel.controlHeight
                        highlighted: modelData.active
                        onClicked: {
                            if (modelData.active)
                                return;
                            var id = modelData.id;
                            panel.protect(qsTr("Switch to the profile %1? This ends the session with %2.")
                                              .arg(modelData.name).arg(client.host),
                                          qsTr("Switch"), function () { client.switchProfile(id) });
                        }
                    }
                }
            }
            Flow {
                width: parent.width
                spacing: 4
                ActionButton {
                    text: qsTr("New")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    onClicked: panel.protect(qsTr("Create a new profile? This ends the session with %1.").arg(client.host),
                                             qsTr("New profile"), function () { client.createProfile("") })
                }
                ActionButton {
                    text: qsTr("Duplicate")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    onClicked: panel.protect(qsTr("Duplicate this profile and switch to the copy? This ends the session with %1.").arg(client.host),
                                             qsTr("Duplicate"), function () { client.duplicateCurrentProfile() })
                }
                ActionButton {
                    objectName: "deleteProfile"
                    text: qsTr("Delete")
                    enabled: client.profileCount > 1
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    // Deleting loses the profile's settings, macros and saved
                    // password: always asked, whether connected or not.
                    onClicked: panel.protect(qsTr("Delete the profile %1 with its macros and saved password?")
                                                 .arg(client.currentProfileName),
                                             qsTr("Delete"), function () { client.deleteCurrentProfile() }, true)
                }
            }
            LabeledInput {
                label: qsTr("Profile name")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 18, panel.inputRoom)
                text: client.currentProfileName
                onCommitted: client.currentProfileName = text
            }

            // --- Connection -----------------------------------------------------
            SectionTitle { text: qsTr("Connection"); fontPixelSize: panel.fontPixelSize }
            LabeledInput {
                objectName: "hostInput"
                label: qsTr("Host")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 20, panel.inputRoom)
                inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
                text: client.host
                onCommitted: { client.host = text; panel.keepConnectionSettings() }
            }
            LabeledInput {
                objectName: "portInput"
                label: qsTr("Port")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 6, panel.inputRoom)
                inputMethodHints: Qt.ImhDigitsOnly
                text: "" + client.port
                check: panel.portProblem
                onCommitted: { client.port = parseInt(text, 10); panel.keepConnectionSettings() }
            }
            LabeledInput {
                objectName: "deviceNameInput"
                label: qsTr("Device name")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 10, panel.inputRoom)
                inputMethodHints: Qt.ImhNoPredictiveText | Qt.ImhPreferUppercase
                text: client.deviceName
                onCommitted: { client.deviceName = text; panel.keepConnectionSettings() }
            }
            Row {
                spacing: Math.round(panel.fontPixelSize * 0.5)
                Text {
                    width: panel.captionWidth
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#d0d0d0"
                    font.pixelSize: panel.fontPixelSize
                    text: qsTr("Code page")
                }
                ActionButton {
                    text: client.codePageDescription
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    width: Math.min(implicitWidth, panel.inputRoom)
                    // Steps through the offered code pages.
                    onClicked: {
                        var options = client.codePageOptions;
                        for (var i = 0; i < options.length; ++i) {
                            if (options[i].value === client.codePage) {
                                client.codePage = options[(i + 1) % options.length].value;
                                return;
                            }
                        }
                        client.codePage = options[0].value;
                    }
                }
            }
            Toggle {
                objectName: "tlsToggle"
                label: qsTr("TLS")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.tlsEnabled
                onToggled: { client.tlsEnabled = checked; panel.keepConnectionSettings() }
            }
            Toggle {
                label: qsTr("Offer 27 x 132")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.support132
                onToggled: client.support132 = checked
            }
            Toggle {
                label: qsTr("Connect at start")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.autoConnect
                onToggled: client.autoConnect = checked
            }
            Toggle {
                label: qsTr("Reconnect after a lost connection")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.autoReconnect
                onToggled: client.autoReconnect = checked
            }
            Toggle {
                label: qsTr("Ask before ending a session")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.confirmDisconnect
                onToggled: client.confirmDisconnect = checked
            }

            // --- Sign-on ---------------------------------------------------------
            // The password goes to the secure store through the client; the
            // input is emptied as soon as it has been handed over.
            SectionTitle { text: qsTr("Sign-on"); fontPixelSize: panel.fontPixelSize }
            LabeledInput {
                id: loginUser
                label: qsTr("User")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 11, panel.inputRoom)
                inputMethodHints: Qt.ImhNoPredictiveText | Qt.ImhPreferUppercase
                text: client.userName
                onCommitted: client.userName = text
            }
            LabeledInput {
                id: loginPassword
                label: qsTr("Password")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 11, panel.inputRoom)
                echoMode: TextInput.Password
                inputMethodHints: Qt.ImhHiddenText | Qt.ImhSensitiveData | Qt.ImhNoPredictiveText
            }
            Toggle {
                label: qsTr("Remember password")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: panel.rememberPassword
                onToggled: panel.rememberPassword = checked
            }
            Toggle {
                label: qsTr("Sign on automatically")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.autoLogin
                onToggled: client.autoLogin = checked
            }
            // Off unless the user turns it on: without TLS the password
            // crosses the network readable.
            Toggle {
                objectName: "autoLoginWithoutTlsToggle"
                label: qsTr("Sign on automatically without TLS too")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.autoLoginWithoutTls
                onToggled: client.autoLoginWithoutTls = checked
            }
            Flow {
                width: parent.width
                spacing: 4
                ActionButton {
                    text: qsTr("Save login")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    onClicked: {
                        client.saveLoginCredentials(loginUser.editText, loginPassword.editText, panel.rememberPassword);
                        loginPassword.clear();
                    }
                }
                ActionButton {
                    text: qsTr("Clear login")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    onClicked: { client.clearLoginCredentials(); loginPassword.clear() }
                }
            }
            Text {
                width: parent.width
                wrapMode: Text.Wrap
                color: "#b0b0b0"
                font.pixelSize: Math.round(panel.fontPixelSize * 0.92)
                text: client.credentialStatus
            }
            Text {
                width: parent.width
                visible: client.passwordSaved && client.savedLoginHost !== ""
                wrapMode: Text.Wrap
                color: "#b0b0b0"
                font.pixelSize: Math.round(panel.fontPixelSize * 0.92)
                text: qsTr("Signs on by itself only to %1:%2").arg(client.savedLoginHost).arg(client.savedLoginPort)
            }

            // --- Display -----------------------------------------------------------
            SectionTitle { text: qsTr("Display"); fontPixelSize: panel.fontPixelSize }
            Row {
                spacing: 4
                Text {
                    width: panel.captionWidth
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#d0d0d0"
                    font.pixelSize: panel.fontPixelSize
                    text: qsTr("Zoom")
                }
                ActionButton {
                    text: "−"
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    minimumWidth: panel.controlHeight
                    onClicked: client.terminalZoom = Zoom.stepped(client.terminalZoom, -1)
                }
                Text {
                    width: panel.fontPixelSize * 3.5
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignHCenter
                    color: "#ffffff"
                    font.pixelSize: panel.fontPixelSize
                    text: Math.round(client.terminalZoom / Zoom.FIT_ZOOM * 100) + " %"
                }
                ActionButton {
                    text: "+"
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    minimumWidth: panel.controlHeight
                    onClicked: client.terminalZoom = Zoom.stepped(client.terminalZoom, 1)
                }
                ActionButton {
                    text: qsTr("Fit")
                    fontPixelSize: panel.fontPixelSize
                    implicitHeight: panel.controlHeight
                    onClicked: client.terminalZoom = Zoom.FIT_ZOOM
                }
            }
            Row {
                spacing: 4
                Text {
                    width: panel.captionWidth
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#d0d0d0"
                    font.pixelSize: panel.fontPixelSize
                    text: qsTr("Theme")
                }
                Repeater {
                    model: 4
                    ActionButton {
                        text: "" + (index + 1)
                        fontPixelSize: panel.fontPixelSize
                        implicitHeight: panel.controlHeight
                        minimumWidth: panel.controlHeight
                        highlighted: client.terminalTheme === index
                        onClicked: client.terminalTheme = index
                    }
                }
            }
            Toggle {
                label: qsTr("Function keys")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.showFunctionBar
                onToggled: client.showFunctionBar = checked
            }
            Toggle {
                label: qsTr("Editing keys")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.showActionBar
                onToggled: client.showActionBar = checked
            }
            Toggle {
                label: qsTr("Operator line")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.showStatusBar
                onToggled: client.showStatusBar = checked
            }

            // --- Terminal --------------------------------------------------------
            SectionTitle { text: qsTr("Terminal"); fontPixelSize: panel.fontPixelSize }
            Toggle {
                label: qsTr("Type ahead while the host is busy")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.typeAhead
                onToggled: client.typeAhead = checked
            }
            Toggle {
                label: qsTr("Tappable F-keys and addresses")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.hotspotsEnabled
                onToggled: client.hotspotsEnabled = checked
            }
            Toggle {
                label: qsTr("Double tap sends Enter")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.doubleTapEnter
                onToggled: client.doubleTapEnter = checked
            }
            Toggle {
                label: qsTr("Open the keyboard on connect")
                fontPixelSize: panel.fontPixelSize
                width: Math.min(implicitWidth, content.width)
                checked: client.showKeyboardOnConnect
                onToggled: client.showKeyboardOnConnect = checked
            }

            // --- Macros -------------------------------------------------------------
            SectionTitle { text: qsTr("Macros"); fontPixelSize: panel.fontPixelSize }
            Text {
                width: parent.width
                wrapMode: Text.WordWrap
                color: "#b0b0b0"
                font.pixelSize: Math.round(panel.fontPixelSize * 0.92)
                text: qsTr("Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …")
            }
            Repeater {
                model: client.macros
                Item {
                    width: content.width
                    height: panel.controlHeight
                    ActionButton {
                        id: runMacro
                        text: qsTr("Run %1").arg(modelData.name)
                        fontPixelSize: panel.fontPixelSize
                        implicitHeight: panel.controlHeight
                        width: Math.min(implicitWidth, parent.width / 2)
                        onClicked: client.runMacroAt(modelData.index)
                    }
                    Text {
                        anchors.left: runMacro.right
                        anchors.leftMargin: 6
                        anchors.right: deleteMacro.left
                        anchors.rightMargin: 6
                        anchors.verticalCenter: parent.verticalCenter
                        color: "#b0b0b0"
                        font.pixelSize: Math.round(panel.fontPixelSize * 0.92)
                        text: modelData.sequence
                        elide: Text.ElideRight
                    }
                    ActionButton {
                        id: deleteMacro
                        anchors.right: parent.right
                        text: qsTr("Delete")
                        fontPixelSize: panel.fontPixelSize
                        implicitHeight: panel.controlHeight
                        onClicked: client.deleteMacro(modelData.index)
                    }
                }
            }
            LabeledInput {
                id: macroName
                label: qsTr("New macro")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 10, panel.inputRoom)
            }
            LabeledInput {
                id: macroSequence
                label: qsTr("Sequence")
                fontPixelSize: panel.fontPixelSize
                captionWidth: panel.captionWidth
                inputWidth: Math.min(panel.fontPixelSize * 20, panel.inputRoom)
            }
            ActionButton {
                x: panel.captionWidth + Math.round(panel.fontPixelSize * 0.5)
                text: qsTr("Add macro")
                fontPixelSize: panel.fontPixelSize
                implicitHeight: panel.controlHeight
                enabled: client.macros.length < 12
                onClicked: {
                    if (client.saveMacro(-1, macroName.editText, macroSequence.editText)) {
                        macroName.clear();
                        macroSequence.clear();
                    }
                }
            }
            Item { width: 1; height: panel.margin }
        }
    }
}
