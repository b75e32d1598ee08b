import QtQuick 2.6
import Sailfish.Silica 1.0
import "../components"
import "../components/keys.js" as KeyList
import "../components/session.js" as Session
import "keyboard.js" as Keyboard
import "protect.js" as Protect

// The terminal: the shared terminal view (pinch to zoom, drag to pan, a tap
// opens the keyboard), the operator line and the two key bars, which sit
// just above the virtual keyboard while it is open. The pull-down menu
// connects and leads to the other pages.
Page {
    id: page
    objectName: "terminalPage"
    allowedOrientations: Orientation.All

    // Where the virtual keyboard is (window coordinates) and whether it is
    // open: the input method's.
    property rect keyboardRectangle: Qt.inputMethod.keyboardRectangle
    property bool keyboardVisible: Qt.inputMethod.visible
    readonly property real keyboardHeight: keyboardVisible
        ? Keyboard.coveredHeight(page, keyboardRectangle, width, height, orientation) : 0

    readonly property string connectionAction: Session.connectionAction(tnClient)
    readonly property bool signOnSaved: tnClient.userName !== "" && tnClient.passwordSaved
    // Keys at least 7 mm and at least the platform's smallest item.
    readonly property real keySize: Math.max(Theme.itemSizeExtraSmall, Math.round(7 * terminal.pixelsPerMm))

    function protect(question, confirmLabel, action, always) {
        Protect.run(pageStack, tnClient, question, confirmLabel, action, always);
    }
    function openUrl(url) {
        protect(qsTr("Open %1 in the web browser?").arg(url), qsTr("Open"), function () {
            if (!Qt.openUrlExternally(url))
                notice.show(qsTr("Could not open %1: no web browser answered.").arg(url));
        }, true);
    }
    // With a saved login it fills the sign-on screen (after a question where
    // the login was saved for another host); without, it leads to where the
    // login is saved.
    function signOn() {
        if (signOnSaved)
            Session.signOn(tnClient, page.protect);
        else
            pageStack.push(Qt.resolvedUrl("SignOnPage.qml"));
    }

    SilicaFlickable {
        id: flickable
        anchors.fill: parent
        contentWidth: width
        contentHeight: height

        PullDownMenu {
            MenuItem {
                text: qsTr("Self-test")
                enabled: !tnClient.connected
                onClicked: tnClient.showDisplayTest()
            }
            MenuItem {
                text: qsTr("Copy screen")
                onClicked: tnClient.copyScreen()
            }
            MenuItem {
                objectName: "menuProtocolLog"
                text: qsTr("Protocol log")
                onClicked: pageStack.push(Qt.resolvedUrl("ProtocolLogPage.qml"))
            }
            MenuItem {
                objectName: "menuSettings"
                text: qsTr("Settings")
                onClicked: pageStack.push(Qt.resolvedUrl("SettingsPage.qml"))
            }
            MenuItem {
                objectName: "menuProfiles"
                text: qsTr("Profiles")
                onClicked: pageStack.push(Qt.resolvedUrl("ProfilesPage.qml"))
            }
            MenuItem {
                objectName: "menuSignOn"
                text: qsTr("Sign on")
                enabled: tnClient.connected || !page.signOnSaved
                onClicked: page.signOn()
            }
            // While waiting to reconnect: the entry below reconnects now,
            // this one stops trying.
            MenuItem {
                text: qsTr("Disconnect")
                visible: page.connectionAction === "reconnect"
                onClicked: tnClient.disconnectFromHost()
            }
            MenuItem {
                objectName: "menuConnection"
                text: Session.actionLabel(page.connectionAction)
                onClicked: Session.runConnectionAction(tnClient, page.connectionAction, page.protect)
            }
        }

        // The profile and its host; in portrait only, where there is room.
        Item {
            id: header
            width: parent.width
            height: page.isPortrait ? title.height + 2 * Theme.paddingSmall : 0
            visible: page.isPortrait
            Label {
                id: title
                x: Theme.horizontalPageMargin
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 2 * x
                elide: Text.ElideRight
                color: Theme.highlightColor
                font.pixelSize: Theme.fontSizeSmall
                text: tnClient.currentProfileName
                      + (tnClient.host !== "" ? " · " + tnClient.host + ":" + tnClient.port : "")
            }
        }

        TerminalView {
            id: terminal
            objectName: "terminalView"
            anchors.top: header.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: bars.top
            anchors.bottomMargin: Theme.paddingSmall
            client: tnClient
            active: page.status === PageStatus.Active
            onUrlActivated: page.openUrl(url)
        }

        Column {
            id: bars
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.bottomMargin: page.keyboardHeight + Theme.paddingSmall
            spacing: Theme.paddingSmall

            // In landscape the keyboard leaves only a strip of the page:
            // the operator line gives its two rows to the terminal while
            // the keyboard is open.
            OperatorLine {
                objectName: "operatorLine"
                visible: tnClient.showStatusBar && !(page.keyboardHeight > 0 && page.isLandscape)
                width: parent.width
                height: implicitHeight
                client: tnClient
                message: terminal.operatorMessage
                fontPixelSize: Theme.fontSizeExtraSmall
            }
            KeyBar {
                objectName: "functionBar"
                visible: tnClient.showFunctionBar
                x: Theme.paddingSmall
                width: parent.width - 2 * x
                keyHeight: page.keySize
                fontPixelSize: Theme.fontSizeSmall
                keyColor: Theme.rgba(Theme.primaryColor, 0.12)
                keyTextColor: Theme.primaryColor
                accentColor: Theme.rgba(Theme.highlightBackgroundColor, 0.6)
                keys: KeyList.functionKeys()
                pageLabels: KeyList.functionPageLabels()
                page: tnClient.functionKeyPage
                onTriggered: terminal.trigger(action)
                onPageRequested: tnClient.functionKeyPage = newPage
            }
            KeyBar {
                objectName: "actionBar"
                visible: tnClient.showActionBar
                x: Theme.paddingSmall
                width: parent.width - 2 * x
                keyHeight: page.keySize
                fontPixelSize: Theme.fontSizeSmall
                keyColor: Theme.rgba(Theme.primaryColor, 0.12)
                keyTextColor: Theme.primaryColor
                accentColor: Theme.rgba(Theme.highlightBackgroundColor, 0.6)
                keys: KeyList.actionKeys()
                onTriggered: terminal.trigger(action)
            }
        }
    }

    // A short message over the terminal (a web address that did not open).
    Rectangle {
        id: notice
        function show(text) {
            noticeText.text = text;
            visible = true;
            noticeTimer.restart();
        }
        visible: false
        z: 10
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: page.keyboardHeight + bars.height + Theme.paddingLarge
        width: parent.width - 2 * Theme.horizontalPageMargin
        height: noticeText.height + 2 * Theme.paddingMedium
        radius: Theme.paddingSmall
        color: Theme.rgba(Theme.highlightDimmerColor, 0.9)
        Label {
            id: noticeText
            x: Theme.paddingMedium
            y: Theme.paddingMedium
            width: parent.width - 2 * x
            wrapMode: Text.Wrap
            font.pixelSize: Theme.fontSizeSmall
        }
        Timer {
            id: noticeTimer
            interval: 4000
            onTriggered: notice.visible = false
        }
        MouseArea {
            anchors.fill: parent
            onClicked: notice.visible = false
        }
    }
}
