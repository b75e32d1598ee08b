import QtQuick 2.6
import harbour.vantorel 1.0
import "components"
import "components/keymap.js" as KeyMap

// The desktop page: the terminal with its field marks and hot-spots, a status
// bar, function keys and the actions a session needs. Everything it shows
// comes from tnClient's properties; everything it does is one of tnClient's
// operations. It uses plain QtQuick items only, so it also loads where no
// control library is available.
Rectangle {
    id: page
    width: 1024
    height: 700
    color: "#202020"

    property bool showLog: false
    property bool showSettings: false
    property bool shifted: false

    // Connecting at start is the page's business: the client never connects
    // on its own.
    Component.onCompleted: {
        if (tnClient.autoConnect)
            tnClient.connectToHost()
    }

    Column {
        anchors.fill: parent
        anchors.margins: 6
        spacing: 6

        // --- Connection bar -------------------------------------------------
        Row {
            id: connectionBar
            spacing: 6
            width: parent.width

            Text {
                anchors.verticalCenter: parent.verticalCenter
                color: "#e0e0e0"
                font.pixelSize: 15
                font.bold: true
                text: tnClient.currentProfileName + " — " + tnClient.host + ":" + tnClient.port
                      + (tnClient.tlsEnabled ? " (TLS)" : "")
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                color: tnClient.connectionState === "Ready" ? "#78ff78"
                     : tnClient.connectionState === "Error" ? "#ff7070" : "#ffca58"
                font.pixelSize: 15
                text: tnClient.connectionStateLabel
                      + (tnClient.reconnecting ? " (" + tnClient.reconnectAttempt + ")" : "")
            }
            ActionButton {
                text: tnClient.connected || tnClient.reconnecting ? "Disconnect" : "Connect"
                onClicked: {
                    if (tnClient.connected || tnClient.reconnecting)
                        tnClient.disconnectFromHost()
                    else
                        tnClient.connectToHost()
                    terminalArea.forceActiveFocus()
                }
            }
            ActionButton {
                text: "Sign on"
                enabled: tnClient.connected && tnClient.passwordSaved && tnClient.userName !== ""
                onClicked: { tnClient.performSavedLogin(); terminalArea.forceActiveFocus() }
            }
            ActionButton {
                text: "Self-test"
                enabled: !tnClient.connected
                onClicked: { tnClient.showDisplayTest(); terminalArea.forceActiveFocus() }
            }
            ActionButton {
                text: "Copy screen"
                onClicked: tnClient.copyScreen()
            }
            ActionButton {
                text: page.showSettings ? "Hide settings" : "Settings"
                onClicked: page.showSettings = !page.showSettings
            }
            ActionButton {
                text: page.showLog ? "Hide log" : "Protocol log"
                onClicked: page.showLog = !page.showLog
            }
        }

        // --- Terminal ---------------------------------------------------------
        FocusScope {
            id: terminalArea
            width: parent.width
            height: parent.height - connectionBar.height - statusBar.height
                    - functionKeys.height - actionKeys.height - (page.showLog ? logPanel.height + 6 : 0) - 30
            focus: true

            Rectangle {
                anchors.fill: parent
                color: tnClient.terminalBackground
                border.color: terminalArea.activeFocus ? "#606060" : "#303030"
            }

            TerminalItem {
                id: terminal
                client: tnClient
                anchors.centerIn: parent
                // Keep the 5250 cell shape: a cell is about twice as high as wide.
                property real cellAspect: 2.0
                property real fitWidth: Math.min(parent.width,
                                                 parent.height * tnClient.columns / (tnClient.rows * cellAspect))
                width: Math.max(1, fitWidth)
                height: Math.max(1, fitWidth * tnClient.rows * cellAspect / tnClient.columns)

                property real cellWidth: width / tnClient.columns
                property real cellHeight: height / tnClient.rows

                // Input fields: a thin line under each field segment, so that
                // empty fields are visible and can be tapped.
                Repeater {
                    model: tnClient.inputFieldSegments
                    Rectangle {
                        x: (modelData.column - 1) * terminal.cellWidth
                        y: modelData.row * terminal.cellHeight - 2
                        width: modelData.length * terminal.cellWidth
                        height: 1
                        color: modelData.nondisplay ? "#806040" : "#407040"
                    }
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        terminalArea.forceActiveFocus()
                        var row = Math.floor(mouse.y / terminal.cellHeight) + 1
                        var column = Math.floor(mouse.x / terminal.cellWidth) + 1
                        tnClient.setCursorCell(row, column)
                    }
                    onDoubleClicked: {
                        if (tnClient.doubleTapEnter)
                            tnClient.sendEnter()
                    }
                }

                // Hot-spots: function-key labels and web addresses on the screen.
                Repeater {
                    model: tnClient.hotspotSegments
                    MouseArea {
                        x: (modelData.column - 1) * terminal.cellWidth
                        y: (modelData.row - 1) * terminal.cellHeight
                        width: modelData.length * terminal.cellWidth
                        height: terminal.cellHeight
                        cursorShape: Qt.PointingHandCursor
                        onClicked: {
                            if (modelData.kind === "function")
                                tnClient.sendFunctionKey(modelData.value)
                            else
                                Qt.openUrlExternally(modelData.value)
                            terminalArea.forceActiveFocus()
                        }
                        Rectangle {
                            anchors.fill: parent
                            color: "transparent"
                            border.color: "#305080"
                            visible: parent.containsMouse
                        }
                        hoverEnabled: true
                    }
                }
            }

            Keys.onPressed: {
                event.accepted = KeyMap.handleKey(tnClient, event)
            }

            SettingsPanel {
                visible: page.showSettings
                client: tnClient
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                anchors.right: parent.right
                width: Math.min(parent.width, 560)
                onDone: { page.showSettings = false; terminalArea.forceActiveFocus() }
            }
        }

        // --- Status bar ---------------------------------------------------------
        Row {
            id: statusBar
            spacing: 12
            width: parent.width
            Text {
                color: "#e0e0e0"
                font.pixelSize: 14
                text: tnClient.status
                width: parent.width - indicators.width - 12
                elide: Text.ElideRight
            }
            Text {
                id: indicators
                color: "#a0a0a0"
                font.pixelSize: 14
                text: (tnClient.keyboardLocked ? "X SYSTEM  " : "")
                      + (tnClient.insertMode ? "INS  " : "")
                      + (tnClient.messageWaiting ? "MW  " : "")
                      + tnClient.cursorRow + "/" + tnClient.cursorColumn
            }
        }

        // --- Function keys --------------------------------------------------------
        Row {
            id: functionKeys
            spacing: 4
            ActionButton {
                text: page.shifted ? "F13–24" : "F1–12"
                onClicked: page.shifted = !page.shifted
            }
            Repeater {
                model: 12
                ActionButton {
                    property int number: index + 1 + (page.shifted ? 12 : 0)
                    text: "F" + number
                    onClicked: { tnClient.sendFunctionKey(number); terminalArea.forceActiveFocus() }
                }
            }
        }

        // --- Actions ----------------------------------------------------------------
        Row {
            id: actionKeys
            spacing: 4
            ActionButton { text: "Enter"; onClicked: { tnClient.sendEnter(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Tab"; onClicked: { tnClient.tab(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Field Exit"; onClicked: { tnClient.fieldExit(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Field−"; onClicked: { tnClient.fieldMinus(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Erase EOF"; onClicked: { tnClient.eraseToEndOfField(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Page Up"; onClicked: { tnClient.sendPageUp(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Page Down"; onClicked: { tnClient.sendPageDown(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Clear"; onClicked: { tnClient.sendClear(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Help"; onClicked: { tnClient.sendHelp(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Attn"; onClicked: { tnClient.sendAttention(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "SysRq"; onClicked: { tnClient.sendSystemRequest(); terminalArea.forceActiveFocus() } }
            ActionButton { text: "Paste"; onClicked: { tnClient.pasteClipboard(); terminalArea.forceActiveFocus() } }
        }

        // --- Protocol log -------------------------------------------------------------
        Rectangle {
            id: logPanel
            visible: page.showLog
            width: parent.width
            height: 180
            color: "#101010"
            border.color: "#404040"
            Flickable {
                id: logFlick
                anchors.fill: parent
                anchors.margins: 4
                clip: true
                contentHeight: logText.height
                contentY: Math.max(0, contentHeight - height)
                Text {
                    id: logText
                    width: logFlick.width
                    color: "#c0c0c0"
                    font.family: "monospace"
                    font.pixelSize: 11
                    wrapMode: Text.WrapAnywhere
                    text: tnClient.diagnostics
                }
            }
            Row {
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.margins: 4
                spacing: 4
                ActionButton { text: "Copy report"; onClicked: tnClient.copyDiagnostics() }
                ActionButton { text: "Clear"; onClicked: tnClient.clearDiagnostics() }
            }
        }
    }
}
