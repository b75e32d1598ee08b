import QtQuick 2.6

// The operator line under the terminal: connection state, the keyboard
// lock (only while a host holds it), insert mode, message waiting, the
// cursor position and the message. Every indicator has a slot of its own
// width, so nothing moves when a text changes; where the line is narrow the
// message gets a second line of its own.
Rectangle {
    id: line

    property var client: null
    // What to show as the message; the terminal view's operatorMessage.
    property string message: ""
    property real fontPixelSize: 14

    readonly property real rowHeight: Math.round(fontPixelSize * 1.7)
    readonly property bool twoLines: width < fontPixelSize * 42
    readonly property bool inhibited: client !== null && client.connected && client.keyboardLocked

    implicitHeight: rowHeight * (twoLines ? 2 : 1)
    color: "#000000"

    function pad(number, digits) {
        var text = "" + number;
        while (text.length < digits)
            text = "0" + text;
        return text;
    }

    Item {
        id: indicators
        width: parent.width
        height: line.rowHeight

        Text {
            id: stateLabel
            objectName: "connectionState"
            x: Math.round(line.fontPixelSize * 0.4)
            width: line.fontPixelSize * 9.5
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
            id: lock
            anchors.left: stateLabel.right
            anchors.verticalCenter: parent.verticalCenter
            width: lockText.implicitWidth + line.fontPixelSize * 0.6
            height: line.rowHeight * 0.8
            color: line.inhibited ? "#ffd060" : "transparent"
            Text {
                id: lockText
                objectName: "keyboardLock"
                anchors.centerIn: parent
                font.pixelSize: line.fontPixelSize
                font.bold: true
                color: "#000000"
                // Measured with the text always set, so that the slot keeps its width.
                opacity: line.inhibited ? 1 : 0
                text: qsTr("X SYSTEM")
            }
        }

        Text {
            id: insert
            objectName: "insertMode"
            anchors.left: lock.right
            anchors.leftMargin: line.fontPixelSize * 0.5
            anchors.verticalCenter: parent.verticalCenter
            width: line.fontPixelSize * 2.6
            font.pixelSize: line.fontPixelSize
            font.bold: true
            color: "#ffffff"
            text: line.client && line.client.insertMode ? qsTr("INS") : ""
        }

        Text {
            id: waiting
            objectName: "messageWaiting"
            anchors.left: insert.right
            anchors.verticalCenter: parent.verticalCenter
            width: line.fontPixelSize * 2.4
            font.pixelSize: line.fontPixelSize
            font.bold: true
            color: "#80d0ff"
            text: line.client && line.client.messageWaiting ? qsTr("MW") : ""
        }

        Text {
            id: inlineMessage
            visible: !line.twoLines
            anchors.left: waiting.right
            anchors.right: cursorLabel.left
            anchors.rightMargin: line.fontPixelSize * 0.5
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            font.pixelSize: line.fontPixelSize
            color: "#ffffff"
            text: line.message
        }

        Text {
            id: cursorLabel
            objectName: "cursorPosition"
            anchors.right: parent.right
            anchors.rightMargin: Math.round(line.fontPixelSize * 0.4)
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
        x: Math.round(line.fontPixelSize * 0.4)
        width: parent.width - 2 * x
        height: line.rowHeight
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        font.pixelSize: line.fontPixelSize
        color: "#ffffff"
        text: line.message
    }
}
