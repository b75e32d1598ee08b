import QtQuick 2.6

// The operator line under the terminal: connection state, the keyboard
// lock (only while a host holds it), insert mode, message waiting, the
// cursor position and the message, light on black. Every indicator has a
// slot of a fixed width, so nothing moves when a text changes. Where the
// line is narrow the message gets a second line of its own, and the state
// the room the indicators leave.
Rectangle {
    id: line

    property var client: null
    // What to show as the message; the terminal view's operatorMessage.
    property string message: ""
    property real fontPixelSize: 14

    readonly property real rowHeight: Math.round(fontPixelSize * 1.7)
    readonly property bool twoLines: width < fontPixelSize * 44
    readonly property bool inhibited: client !== null && client.connected && client.keyboardLocked
    // The host's Write Error Code holds the keyboard until Reset.
    readonly property bool inputError: client !== null && client.connected && client.inputError === true

    // The slots, left to right: state, lock, insert, message waiting, (the
    // message on one line), cursor.
    readonly property real margin: Math.round(fontPixelSize * 0.4)
    readonly property real gap: Math.round(fontPixelSize * 0.5)
    readonly property real lockWidth: Math.ceil(lockMetrics.width + fontPixelSize * 0.6)
    readonly property real insertWidth: Math.ceil(fontPixelSize * 2.6)
    readonly property real waitingWidth: Math.ceil(fontPixelSize * 2.4)
    readonly property real cursorWidth: Math.ceil(cursorMetrics.width)
    readonly property real cursorX: width - margin - cursorWidth
    readonly property real stateWidth: twoLines
        ? Math.max(0, cursorX - 3 * gap - waitingWidth - insertWidth - lockWidth - margin)
        : Math.round(fontPixelSize * 14.5)
    readonly property real lockX: margin + stateWidth + gap
    readonly property real insertX: lockX + lockWidth + gap
    readonly property real waitingX: insertX + insertWidth

    implicitHeight: rowHeight * (twoLines ? 2 : 1)
    color: "#000000"

    function pad(number, digits) {
        var text = "" + number;
        while (text.length < digits)
            text = "0" + text;
        return text;
    }

    TextMetrics {
        id: lockMetrics
        font.pixelSize: line.fontPixelSize
        font.bold: true
        text: lockText.text
    }
    TextMetrics {
        id: cursorMetrics
        font.pixelSize: line.fontPixelSize
        font.family: "monospace"
        text: "00/000"
    }

    Item {
        id: indicators
        width: parent.width
        height: line.rowHeight

        Text {
            objectName: "connectionState"
            x: line.margin
            width: line.stateWidth
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            font.pixelSize: line.fontPixelSize
            font.bold: true
            color: !line.client ? "#ffffff"
                 : line.client.connectionState === "Ready" ? "#7dff7d"
                 : line.client.connectionState === "Error" ? "#ff8080"
                 : line.client.connectionState === "Disconnected" ? "#ffffff" : "#ffd060"
            text: !line.client ? ""
                : line.client.connectionStateLabel
                  + (line.client.reconnecting && line.client.reconnectAttempt > 0
                     ? " (" + line.client.reconnectAttempt + ")" : "")
        }

        // Input inhibited: shown reversed, as a display station does.
        Rectangle {
            x: line.lockX
            width: line.lockWidth
            height: Math.round(line.rowHeight * 0.8)
            anchors.verticalCenter: parent.verticalCenter
            color: line.inputError ? "#ff8080" : line.inhibited ? "#ffd060" : "transparent"
            Text {
                id: lockText
                objectName: "keyboardLock"
                anchors.centerIn: parent
                font.pixelSize: line.fontPixelSize
                font.bold: true
                color: "#000000"
                visible: line.inhibited
                text: line.inputError ? qsTr("X ERROR") : qsTr("X SYSTEM")
            }
        }

        Text {
            objectName: "insertMode"
            x: line.insertX
            width: line.insertWidth
            anchors.verticalCenter: parent.verticalCenter
            font.pixelSize: line.fontPixelSize
            font.bold: true
            color: "#ffffff"
            text: line.client && line.client.insertMode ? qsTr("INS") : ""
        }

        Text {
            objectName: "messageWaiting"
            x: line.waitingX
            width: line.waitingWidth
            anchors.verticalCenter: parent.verticalCenter
            font.pixelSize: line.fontPixelSize
            font.bold: true
            color: "#80d0ff"
            text: line.client && line.client.messageWaiting ? qsTr("MW") : ""
        }

        Text {
            visible: !line.twoLines
            x: line.waitingX + line.waitingWidth + line.gap
            width: Math.max(0, line.cursorX - x - line.gap)
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            font.pixelSize: line.fontPixelSize
            color: "#ffffff"
            text: line.message
        }

        Text {
            objectName: "cursorPosition"
            x: line.cursorX
            anchors.verticalCenter: parent.verticalCenter
            font.pixelSize: line.fontPixelSize
            font.family: "monospace"
            color: "#ffffff"
            text: line.client ? line.pad(line.client.cursorRow, 2) + "/" + line.pad(line.client.cursorColumn, 3) : ""
        }
    }

    Text {
        objectName: "operatorMessage"
        visible: line.twoLines
        anchors.top: indicators.bottom
        x: line.margin
        width: parent.width - 2 * line.margin
        height: line.rowHeight
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        font.pixelSize: line.fontPixelSize
        color: "#ffffff"
        text: line.message
    }
}
