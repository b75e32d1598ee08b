import QtQuick 2.6
import QtQuick.Window 2.2
import harbour.vantorel 1.0
import "zoom.js" as Zoom

// The terminal area: the painted screen with its field marks and tappable
// labels, in a view that pinches to zoom and drags to pan, and the
// TerminalInput that takes every operator key. While active (the terminal
// is what the user works with) the input holds the keyboard focus, so text
// typed goes to the host and never to a settings box left behind.
//
// A tap moves the cursor and opens the virtual keyboard; two taps on the
// same cell within the double-click interval are Enter (when the client's
// doubleTapEnter is on). A function-key label ("F5=Refresh") is a key; a web
// address asks the shell through urlActivated() before anything opens.
Item {
    id: view

    property var client: null
    property bool active: true
    // Pixels per millimetre, for the sizes a finger needs.
    property real pixelsPerMm: Screen.pixelDensity > 0 ? Screen.pixelDensity : 4
    property color fieldMarkColor: "#3f8f3f"
    property color passwordMarkColor: "#a07a3a"
    property color hotspotColor: "#5aa8ff"

    readonly property alias input: input
    readonly property alias operatorMessage: input.operatorMessage
    readonly property alias flickable: flick
    readonly property alias screenItem: screen
    readonly property int rows: client ? client.rows : 24
    readonly property int columns: client ? client.columns : 80
    // The zoom shown: the client's, or the live one while a pinch goes on.
    readonly property real zoom: pinchArea.pinching ? pinchArea.liveZoom
                                                    : (client ? client.terminalZoom : Zoom.FIT_ZOOM)
    readonly property real fitCellWidth: Zoom.fitCellWidth(width, height, columns, rows, pixelsPerMm)
    readonly property real cellWidth: Zoom.cellWidth(fitCellWidth, zoom)
    readonly property real cellHeight: cellWidth * Zoom.CELL_ASPECT

    signal urlActivated(string url)

    // Runs an on-screen key and gives the focus back to the terminal.
    function trigger(action) {
        var known = input.trigger(action);
        focusTerminal();
        return known;
    }
    function focusTerminal() {
        if (active)
            input.forceActiveFocus();
    }
    function openKeyboard() { input.openKeyboard() }
    function zoomBy(steps) {
        if (client)
            client.terminalZoom = Zoom.stepped(client.terminalZoom, steps);
    }
    function fitToView() {
        if (client)
            client.terminalZoom = Zoom.FIT_ZOOM;
    }
    function flash() { bellAnimation.restart() }

    // Keeps the cursor cell inside the visible part, with a cell around it.
    function revealCursor() {
        if (!client || flick.moving || pinchArea.pinching)
            return;
        var x = screen.x + (client.cursorColumn - 1) * cellWidth;
        var y = screen.y + (client.cursorRow - 1) * cellHeight;
        flick.contentX = Zoom.reveal(flick.contentX, flick.width, flick.contentWidth, x, cellWidth, cellWidth * 2);
        flick.contentY = Zoom.reveal(flick.contentY, flick.height, flick.contentHeight, y, cellHeight, cellHeight);
    }

    readonly property int cursorCell: client ? client.cursorRow * 1000 + client.cursorColumn : 0
    onCursorCellChanged: revealCursor()
    onHeightChanged: revealCursor()
    onActiveChanged: focusTerminal()
    Component.onCompleted: focusTerminal()

    clip: true

    Rectangle {
        anchors.fill: parent
        color: "#000000"
    }

    Flickable {
        id: flick
        anchors.fill: parent
        contentWidth: Math.max(width, screen.width)
        contentHeight: Math.max(height, screen.height)
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentWidth > width || contentHeight > height

        PinchArea {
            id: pinchArea
            width: flick.contentWidth
            height: flick.contentHeight

            property bool pinching: false
            property real startZoom: Zoom.FIT_ZOOM
            property real liveZoom: Zoom.FIT_ZOOM

            onPinchStarted: {
                startZoom = view.client ? view.client.terminalZoom : Zoom.FIT_ZOOM;
                liveZoom = startZoom;
                pinching = true;
            }
            onPinchUpdated: {
                // The point under the fingers stays where it is.
                var before = view.cellWidth;
                var offsetX = pinch.center.x - flick.contentX;
                var offsetY = pinch.center.y - flick.contentY;
                liveZoom = Zoom.clamp(startZoom * pinch.scale);
                var ratio = view.cellWidth / before;
                flick.contentX = Math.max(0, Math.min(pinch.center.x * ratio - offsetX,
                                                      flick.contentWidth - flick.width));
                flick.contentY = Math.max(0, Math.min(pinch.center.y * ratio - offsetY,
                                                      flick.contentHeight - flick.height));
            }
            onPinchFinished: {
                pinching = false;
                if (view.client)
                    view.client.terminalZoom = liveZoom;
                flick.returnToBounds();
            }

            MouseArea {
                id: tapArea
                anchors.fill: parent
                onClicked: {
                    var point = mapToItem(screen, mouse.x, mouse.y);
                    if (point.x < 0 || point.y < 0 || point.x >= screen.width || point.y >= screen.height) {
                        input.openKeyboard();
                        return;
                    }
                    input.tapCell(Math.floor(point.y / view.cellHeight) + 1,
                                  Math.floor(point.x / view.cellWidth) + 1);
                }
                // Ctrl with the wheel zooms; the wheel alone pans.
                onWheel: {
                    if (wheel.modifiers & Qt.ControlModifier)
                        view.zoomBy(wheel.angleDelta.y > 0 ? 1 : -1);
                    else
                        wheel.accepted = false;
                }
            }

            TerminalItem {
                id: screen
                client: view.client
                // Centred across, at the top: below it is where a phone's
                // keyboard opens.
                x: Math.max(0, (flick.width - width) / 2)
                y: 0
                width: view.cellWidth * view.columns
                height: view.cellHeight * view.rows

                // A line under every input field, so that empty fields show.
                Repeater {
                    model: ScreenSegmentModel {
                        client: view.client
                        source: ScreenSegmentModel.InputFields
                    }
                    delegate: Rectangle {
                        x: (model.column - 1) * view.cellWidth
                        y: model.row * view.cellHeight - height
                        width: model.length * view.cellWidth
                        height: Math.max(1, Math.round(view.cellHeight * 0.06))
                        color: model.nondisplay ? view.passwordMarkColor : view.fieldMarkColor
                    }
                }

                // Function-key labels and web addresses: a tint and an
                // underline say they can be tapped.
                Repeater {
                    model: ScreenSegmentModel {
                        client: view.client
                        source: ScreenSegmentModel.Hotspots
                    }
                    delegate: MouseArea {
                        objectName: "hotspot:" + model.kind + ":" + model.value
                        x: (model.column - 1) * view.cellWidth
                        y: (model.row - 1) * view.cellHeight
                        width: model.span * view.cellWidth
                        height: view.cellHeight
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: {
                            if (model.kind === "function")
                                view.trigger("F" + model.value);
                            else
                                view.urlActivated(model.value);
                        }
                        Rectangle {
                            anchors.fill: parent
                            radius: 2
                            color: view.hotspotColor
                            opacity: parent.pressed ? 0.4 : parent.containsMouse ? 0.22 : 0.1
                        }
                        Rectangle {
                            anchors.bottom: parent.bottom
                            width: parent.width
                            height: Math.max(1, Math.round(view.cellHeight * 0.07))
                            color: view.hotspotColor
                        }
                    }
                }

                // What the input method is composing, at the cursor; it is
                // typed only once committed.
                Rectangle {
                    visible: input.preeditText.length > 0
                    x: view.client ? (view.client.cursorColumn - 1) * view.cellWidth : 0
                    y: view.client ? (view.client.cursorRow - 1) * view.cellHeight : 0
                    width: preedit.implicitWidth
                    height: view.cellHeight
                    color: "#404040"
                    Text {
                        id: preedit
                        objectName: "preedit"
                        anchors.verticalCenter: parent.verticalCenter
                        font.family: "monospace"
                        font.pixelSize: Math.max(6, Math.floor(view.cellHeight * 0.78))
                        font.underline: true
                        color: "#ffffff"
                        text: input.preeditText
                    }
                }

                TerminalInput {
                    id: input
                    objectName: "terminalInput"
                    anchors.fill: parent
                    client: view.client
                    focus: true
                    onBellRung: view.flash()
                    Keys.onPressed: {
                        if (!(event.modifiers & Qt.ControlModifier))
                            return;
                        if (event.key === Qt.Key_Plus || event.key === Qt.Key_Equal) {
                            view.zoomBy(1);
                            event.accepted = true;
                        } else if (event.key === Qt.Key_Minus) {
                            view.zoomBy(-1);
                            event.accepted = true;
                        } else if (event.key === Qt.Key_0) {
                            view.fitToView();
                            event.accepted = true;
                        }
                    }
                }
            }
        }
    }

    // The bell: a short flash over the terminal.
    Rectangle {
        id: bell
        objectName: "bellFlash"
        anchors.fill: parent
        color: "#ffffff"
        opacity: 0
        visible: opacity > 0
        NumberAnimation {
            id: bellAnimation
            target: bell
            property: "opacity"
            from: 0.35
            to: 0
            duration: 200
        }
    }
}
