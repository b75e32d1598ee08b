import QtQuick 2.6
import QtQuick.Window 2.2
import harbour.vantorel 1.0
import "components"
import "components/keys.js" as KeyList
import "components/session.js" as Session

// The desktop window: a top bar with the connection and the panels, the
// shared terminal components (terminal view, operator line, function-key and
// editing-key bars) and, over the terminal, the settings panel. Everything it
// shows comes from tnClient's properties; everything it does is one of
// tnClient's operations. Plain QtQuick items only, as on the phone.
Rectangle {
    id: root
    width: 1024
    height: 700
    color: "#202020"

    // Touch targets are at least 7 mm high, and never smaller than a mouse
    // needs; texts follow from them.
    readonly property real pixelsPerMm: Screen.pixelDensity > 0 ? Screen.pixelDensity : 4
    readonly property real keySize: Math.max(28, Math.round(7 * pixelsPerMm))
    readonly property real fontSize: Math.max(12, Math.round(keySize * 0.46))
    readonly property real gap: Math.max(4, Math.round(keySize * 0.15))

    property bool showLog: false
    property bool showSettings: false
    property bool showMenu: false
    // The terminal is what the user works with: nothing lies over it that
    // wants the keyboard.
    readonly property bool terminalShown: !showSettings && !showMenu && !confirm.visible

    // Runs action, asking first when it would cut a session (or always).
    function protect(question, confirmLabel, action, always) {
        if (always || Session.needsConfirmation(tnClient))
            confirm.ask(question, confirmLabel, action);
        else
            action();
    }

    function openUrl(url) {
        confirm.ask(qsTr("Open %1 in the web browser?").arg(url), qsTr("Open"), function () {
            if (!Qt.openUrlExternally(url))
                notice.show(qsTr("Could not open %1: no web browser answered.").arg(url));
        });
    }

    readonly property string connectionAction: Session.connectionAction(tnClient)

    // Connecting at start is the page's business: the client never connects
    // on its own.
    Component.onCompleted: {
        if (tnClient.autoConnect)
            tnClient.connectToHost();
    }

    // --- Top bar -------------------------------------------------------------
    Item {
        id: topBar
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: root.gap
        height: root.keySize

        TextMetrics {
            id: widestConnectionLabel
            font.pixelSize: root.fontSize
            text: {
                var labels = Session.actionLabels();
                var widest = "";
                for (var i = 0; i < labels.length; ++i) {
                    if (labels[i].length > widest.length)
                        widest = labels[i];
                }
                return widest;
            }
        }

        Text {
            id: title
            anchors.left: parent.left
            anchors.right: buttons.left
            anchors.rightMargin: root.gap
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            color: "#f0f0f0"
            font.pixelSize: Math.round(root.fontSize * 1.1)
            font.bold: true
            text: tnClient.currentProfileName + " — " + tnClient.host + ":" + tnClient.port
                  + (tnClient.tlsEnabled ? " " + qsTr("(TLS)") : "")
        }

        Row {
            id: buttons
            anchors.right: parent.right
            height: parent.height
            spacing: root.gap
            // Beside the title there is room for every button only on a wide
            // window; otherwise the menu holds what is left out.
            readonly property bool wide: root.width >= root.keySize * 26

            ActionButton {
                objectName: "connectButton"
                width: widestConnectionLabel.width + 2 * padding
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: Session.actionLabel(root.connectionAction)
                highlighted: root.connectionAction === "connect" || root.connectionAction === "reconnect"
                onClicked: Session.runConnectionAction(tnClient, root.connectionAction, root.protect)
            }
            ActionButton {
                visible: buttons.wide
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Sign on")
                objectName: "signOnButton"
                enabled: tnClient.connected && tnClient.passwordSaved && tnClient.userName !== ""
                onClicked: Session.signOn(tnClient, root.protect)
            }
            ActionButton {
                visible: buttons.wide
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Copy screen")
                onClicked: tnClient.copyScreen()
            }
            ActionButton {
                objectName: "settingsButton"
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Settings")
                highlighted: root.showSettings
                onClicked: { root.showMenu = false; root.showSettings = !root.showSettings }
            }
            ActionButton {
                visible: buttons.wide
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Protocol log")
                highlighted: root.showLog
                onClicked: root.showLog = !root.showLog
            }
            ActionButton {
                objectName: "menuButton"
                implicitHeight: root.keySize
                minimumWidth: root.keySize
                fontPixelSize: root.fontSize
                text: "☰"
                highlighted: root.showMenu
                onClicked: root.showMenu = !root.showMenu
            }
        }
    }

    // --- Terminal and the settings over it -----------------------------------
    Item {
        id: terminalArea
        anchors.top: topBar.bottom
        anchors.topMargin: root.gap
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: bottomStack.top

        TerminalView {
            id: terminal
            objectName: "terminalView"
            anchors.fill: parent
            client: tnClient
            active: root.terminalShown
            onUrlActivated: root.openUrl(url)
        }

        SettingsPanel {
            id: settings
            objectName: "settingsPanel"
            visible: root.showSettings
            client: tnClient
            protect: root.protect
            fontPixelSize: root.fontSize
            controlHeight: root.keySize
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            anchors.right: parent.right
            width: Math.min(parent.width, root.fontSize * 44)
            onDone: root.showSettings = false
        }
    }

    // --- Operator line, key bars, protocol log --------------------------------
    Column {
        id: bottomStack
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        spacing: root.gap

        OperatorLine {
            objectName: "operatorLine"
            visible: tnClient.showStatusBar
            width: parent.width
            height: implicitHeight
            client: tnClient
            message: terminal.operatorMessage
            fontPixelSize: root.fontSize
        }

        KeyBar {
            id: functionBar
            objectName: "functionBar"
            visible: tnClient.showFunctionBar
            x: root.gap
            width: parent.width - 2 * root.gap
            keyHeight: root.keySize
            fontPixelSize: root.fontSize
            keys: KeyList.functionKeys()
            pageLabels: KeyList.functionPageLabels()
            page: tnClient.functionKeyPage
            onTriggered: terminal.trigger(action)
            onPageRequested: tnClient.functionKeyPage = newPage
        }

        KeyBar {
            id: actionBar
            objectName: "actionBar"
            visible: tnClient.showActionBar
            x: root.gap
            width: parent.width - 2 * root.gap
            keyHeight: root.keySize
            fontPixelSize: root.fontSize
            keys: KeyList.actionKeys()
            onTriggered: terminal.trigger(action)
        }

        // Built only while shown, and then refreshed at most ten times a
        // second: laying out the whole log again for every line the protocol
        // writes would slow every host screen down.
        Loader {
            objectName: "logLoader"
            active: root.showLog
            visible: active
            width: parent.width
            height: active ? Math.min(root.height / 3, root.fontSize * 16) : 0
            sourceComponent: Rectangle {
                id: logPanel
                color: "#101010"
                border.color: "#404040"
                readonly property string log: tnClient.diagnostics
                property string shownLog: log
                onLogChanged: {
                    if (!logRefresh.running)
                        logRefresh.start();
                }
                Timer {
                    id: logRefresh
                    interval: 100
                    onTriggered: logPanel.shownLog = logPanel.log
                }
                Flickable {
                    id: logFlick
                    anchors.fill: parent
                    anchors.margins: 4
                    clip: true
                    contentHeight: logText.height
                    contentY: Math.max(0, contentHeight - height)
                    Text {
                        id: logText
                        objectName: "logText"
                        width: logFlick.width - logButtons.width - 8
                        color: "#d0d0d0"
                        font.family: "monospace"
                        font.pixelSize: Math.round(root.fontSize * 0.85)
                        wrapMode: Text.WrapAnywhere
                        textFormat: Text.PlainText
                        text: logPanel.shownLog
                    }
                }
                Column {
                    id: logButtons
                    anchors.right: parent.right
                    anchors.top: parent.top
                    anchors.margins: 4
                    spacing: 4
                    ActionButton {
                        text: qsTr("Copy report")
                        implicitHeight: root.keySize
                        fontPixelSize: root.fontSize
                        onClicked: tnClient.copyDiagnostics()
                    }
                    ActionButton {
                        text: qsTr("Clear")
                        implicitHeight: root.keySize
                        fontPixelSize: root.fontSize
                        onClicked: tnClient.clearDiagnostics()
                    }
                    ActionButton {
                        text: qsTr("Close")
                        implicitHeight: root.keySize
                        fontPixelSize: root.fontSize
                        onClicked: root.showLog = false
                    }
                }
            }
        }
        Item { width: 1; height: 1 }
    }

    // --- Menu -----------------------------------------------------------------
    MouseArea {
        anchors.fill: parent
        visible: root.showMenu
        z: 50
        onClicked: root.showMenu = false
    }
    Rectangle {
        id: menu
        objectName: "menu"
        visible: root.showMenu
        z: 51
        anchors.top: topBar.bottom
        anchors.right: parent.right
        anchors.rightMargin: root.gap
        width: menuItems.width + 2 * root.gap
        height: menuItems.height + 2 * root.gap
        color: "#2a2a2a"
        border.color: "#606060"

        // Runs a menu entry and closes the menu.
        function choose(action) {
            root.showMenu = false;
            action();
        }

        Column {
            id: menuItems
            x: root.gap
            y: root.gap
            spacing: root.gap
            width: root.fontSize * 14

            ActionButton {
                width: parent.width
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Sign on")
                enabled: tnClient.connected && tnClient.passwordSaved && tnClient.userName !== ""
                onClicked: menu.choose(function () { Session.signOn(tnClient, root.protect) })
            }
            ActionButton {
                width: parent.width
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Disconnect")
                enabled: tnClient.connected || tnClient.reconnecting
                onClicked: menu.choose(function () {
                    root.protect(qsTr("Disconnect from %1?").arg(tnClient.host), qsTr("Disconnect"),
                                 function () { tnClient.disconnectFromHost() });
                })
            }
            ActionButton {
                width: parent.width
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Copy screen")
                onClicked: menu.choose(function () { tnClient.copyScreen() })
            }
            ActionButton {
                width: parent.width
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Protocol log")
                highlighted: root.showLog
                onClicked: menu.choose(function () { root.showLog = !root.showLog })
            }
            ActionButton {
                width: parent.width
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Self-test")
                enabled: !tnClient.connected
                onClicked: menu.choose(function () { tnClient.showDisplayTest() })
            }
            ActionButton {
                width: parent.width
                implicitHeight: root.keySize
                fontPixelSize: root.fontSize
                text: qsTr("Keyboard")
                onClicked: menu.choose(function () { terminal.openKeyboard() })
            }
            Row {
                spacing: root.gap
                ActionButton {
                    width: (menuItems.width - 2 * root.gap) / 3
                    implicitHeight: root.keySize
                    fontPixelSize: root.fontSize
                    text: qsTr("Zoom −")
                    onClicked: terminal.zoomBy(-1)
                }
                ActionButton {
                    width: (menuItems.width - 2 * root.gap) / 3
                    implicitHeight: root.keySize
                    fontPixelSize: root.fontSize
                    text: qsTr("Fit")
                    onClicked: menu.choose(function () { terminal.fitToView() })
                }
                ActionButton {
                    width: (menuItems.width - 2 * root.gap) / 3
                    implicitHeight: root.keySize
                    fontPixelSize: root.fontSize
                    text: qsTr("Zoom +")
                    onClicked: terminal.zoomBy(1)
                }
            }
        }
    }

    Notice {
        id: notice
        objectName: "notice"
        fontPixelSize: root.fontSize
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: bottomStack.top
        anchors.bottomMargin: root.gap
    }

    ConfirmPanel {
        id: confirm
        objectName: "confirmPanel"
        fontPixelSize: root.fontSize
        buttonHeight: root.keySize
    }
}
