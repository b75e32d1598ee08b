import QtQuick 2.6
import Sailfish.Silica 1.0
import "../../components/session.js" as Session
import "../protect.js" as Protect

// The cover on the home screen: the profile, the connection state and the
// top lines of the host's screen, with one action that connects or
// disconnects. A question before a session ends brings the application to
// the front first.
CoverBackground {
    id: cover
    objectName: "coverPage"

    readonly property string connectionAction: Session.connectionAction(tnClient)
    // The screen's lines are read only while the cover shows.
    readonly property bool shown: status === Cover.Active || status === Cover.Activating
    readonly property var screenLines: shown ? topLines(tnClient.terminalText, 8) : []

    // The first count lines that show something, trimmed and with runs of
    // blanks made one, for a cover a few characters wide.
    function topLines(text, count) {
        var lines = text.split("\n");
        var result = [];
        for (var i = 0; i < lines.length && result.length < count; ++i) {
            var line = lines[i].replace(/\s+/g, " ").trim();
            if (line !== "")
                result.push(line);
        }
        return result;
    }

    function protect(question, confirmLabel, action, always) {
        if (always || Session.needsConfirmation(tnClient))
            appWindow.activate();
        Protect.run(pageStack, tnClient, question, confirmLabel, action, always);
    }

    Column {
        x: Theme.paddingLarge
        y: Theme.paddingLarge
        width: parent.width - 2 * x
        spacing: Theme.paddingSmall

        Label {
            objectName: "coverProfile"
            width: parent.width
            elide: Text.ElideRight
            color: Theme.highlightColor
            font.pixelSize: Theme.fontSizeSmall
            text: tnClient.currentProfileName
        }
        Label {
            objectName: "coverState"
            width: parent.width
            elide: Text.ElideRight
            color: Theme.secondaryColor
            font.pixelSize: Theme.fontSizeExtraSmall
            text: tnClient.connectionStateLabel
        }
        Repeater {
            model: cover.screenLines
            Label {
                width: parent.width
                elide: Text.ElideRight
                font.family: "monospace"
                font.pixelSize: Theme.fontSizeTiny
                text: modelData
            }
        }
    }

    CoverActionList {
        CoverAction {
            objectName: "coverConnection"
            iconSource: cover.connectionAction === "connect" || cover.connectionAction === "reconnect"
                        ? "image://theme/icon-cover-refresh" : "image://theme/icon-cover-cancel"
            onTriggered: Session.runConnectionAction(tnClient, cover.connectionAction, cover.protect)
        }
    }
}
