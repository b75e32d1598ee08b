import QtQuick 2.6
import Sailfish.Silica 1.0

// The protocol log, with the support report to copy and a way to clear it.
// The text is bound only while the page is on top, and then refreshed at
// most ten times a second: laying out the whole log for every line the
// protocol writes would slow every host screen down.
Page {
    id: page
    objectName: "protocolLogPage"
    allowedOrientations: Orientation.All

    readonly property string log: status === PageStatus.Active ? tnClient.diagnostics : ""
    property string shownLog: ""
    // Whether the newest lines are kept in view: from the start, and again
    // once the user scrolls back to the end.
    property bool following: true
    onLogChanged: {
        if (!refresh.running)
            refresh.start();
    }

    Timer {
        id: refresh
        interval: 100
        onTriggered: page.shownLog = page.log
    }

    SilicaFlickable {
        id: flickable
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        function showEnd() {
            contentY = Math.max(originY, originY + contentHeight - height);
        }
        // The column is laid out after the text changes, so the end is
        // known only here.
        onContentHeightChanged: {
            if (page.following && !moving)
                showEnd();
        }
        onHeightChanged: {
            if (page.following && !moving)
                showEnd();
        }
        onMovementEnded: page.following = contentY >= originY + contentHeight - height - Theme.paddingLarge

        PullDownMenu {
            MenuItem {
                text: qsTr("Clear")
                onClicked: tnClient.clearDiagnostics()
            }
            MenuItem {
                objectName: "menuCopyReport"
                text: qsTr("Copy support report")
                onClicked: tnClient.copyDiagnostics()
            }
        }

        Column {
            id: column
            width: parent.width

            PageHeader {
                title: qsTr("Protocol log")
                description: tnClient.status
            }
            Label {
                objectName: "logText"
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
                font.family: "monospace"
                font.pixelSize: Theme.fontSizeTiny
                color: Theme.primaryColor
                text: page.shownLog
            }
        }

        ViewPlaceholder {
            enabled: page.shownLog === ""
            text: qsTr("The log is empty")
            hintText: qsTr("Connections and what the host sends are logged here.")
        }

        VerticalScrollDecorator {}
    }
}
