import QtQuick 2.6
import Sailfish.Silica 1.0

// The current profile's connection: host, port, TLS, the display station's
// device name, code page and screen size. Each edit is kept when it
// finishes, and host, port, TLS and device name are written to the settings
// file at once, so that nothing typed is lost when the application ends.
Page {
    id: page
    objectName: "connectionPage"
    allowedOrientations: Orientation.All

    function keep() { tnClient.saveSettings() }

    function portProblem(text) {
        var value = Number(text);
        if (text === "" || isNaN(value) || value !== Math.floor(value) || value < 1 || value > 65535)
            return qsTr("The port is a number from 1 to 65535.");
        return "";
    }

    function codePageIndex(codePage) {
        var options = tnClient.codePageOptions;
        for (var i = 0; i < options.length; ++i) {
            if (options[i].value === codePage)
                return i;
        }
        return -1;
    }

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width

            PageHeader {
                title: qsTr("Connection")
                description: tnClient.currentProfileName
            }

            SectionHeader { text: qsTr("Host") }
            SettingField {
                objectName: "hostField"
                settingLabel: qsTr("Host name or address")
                settingValue: tnClient.host
                inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
                onCommitted: {
                    tnClient.host = text;
                    page.keep();
                }
            }
            SettingField {
                objectName: "portField"
                settingLabel: qsTr("Port")
                settingValue: "" + tnClient.port
                inputMethodHints: Qt.ImhDigitsOnly
                check: page.portProblem
                onCommitted: {
                    tnClient.port = parseInt(text, 10);
                    page.keep();
                }
            }
            TextSwitch {
                objectName: "tlsSwitch"
                text: qsTr("TLS")
                description: qsTr("Encrypted, with the host's certificate checked. IBM i takes TLS on port 992.")
                automaticCheck: false
                checked: tnClient.tlsEnabled
                onClicked: {
                    tnClient.tlsEnabled = !tnClient.tlsEnabled;
                    page.keep();
                }
            }

            SectionHeader { text: qsTr("Display station") }
            SettingField {
                objectName: "deviceField"
                settingLabel: qsTr("Device name")
                placeholderText: qsTr("Empty: the host picks one")
                settingValue: tnClient.deviceName
                inputMethodHints: Qt.ImhNoPredictiveText | Qt.ImhPreferUppercase
                onCommitted: {
                    tnClient.deviceName = text;
                    page.keep();
                }
            }
            ComboBox {
                objectName: "codePageBox"
                label: qsTr("Code page")
                description: tnClient.connected ? qsTr("A new code page applies from the next connection.") : ""
                currentIndex: page.codePageIndex(tnClient.codePage)
                menu: ContextMenu {
                    Repeater {
                        model: tnClient.codePageOptions
                        MenuItem {
                            objectName: "codePage:" + modelData.value
                            text: modelData.label
                            onClicked: tnClient.codePage = modelData.value
                        }
                    }
                }
            }
            TextSwitch {
                text: qsTr("Offer 27 × 132")
                description: qsTr("Lets the host use its wide screen, from the next connection.")
                automaticCheck: false
                checked: tnClient.support132
                onClicked: tnClient.support132 = !tnClient.support132
            }
        }

        VerticalScrollDecorator {}
    }
}
