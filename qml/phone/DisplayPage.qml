import QtQuick 2.6
import Sailfish.Silica 1.0
import "../components/zoom.js" as Zoom

// How the terminal looks and what a touch does: colours and zoom of the
// current profile; orientation, key bars and taps for every profile.
Page {
    id: page
    objectName: "displayPage"
    allowedOrientations: Orientation.All

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width

            PageHeader {
                title: qsTr("Display")
                description: tnClient.currentProfileName
            }

            SectionHeader { text: qsTr("Terminal") }
            ComboBox {
                objectName: "themeBox"
                label: qsTr("Colours")
                currentIndex: tnClient.terminalTheme
                menu: ContextMenu {
                    MenuItem { text: qsTr("Green"); onClicked: tnClient.terminalTheme = 0 }
                    MenuItem { text: qsTr("Amber"); onClicked: tnClient.terminalTheme = 1 }
                    MenuItem { text: qsTr("Light grey"); onClicked: tnClient.terminalTheme = 2 }
                    MenuItem { text: qsTr("Blue"); onClicked: tnClient.terminalTheme = 3 }
                }
            }
            // 100 % is the screen fitted to the page; pinching the terminal
            // sets the same zoom.
            Slider {
                id: zoomSlider
                objectName: "zoomSlider"
                label: qsTr("Zoom")
                minimumValue: Zoom.MIN_ZOOM
                maximumValue: Zoom.MAX_ZOOM
                stepSize: 0.05
                value: tnClient.terminalZoom
                valueText: Math.round(value / Zoom.FIT_ZOOM * 100) + " %"
                onDownChanged: {
                    if (down)
                        return;
                    tnClient.terminalZoom = value;
                    value = Qt.binding(function () { return tnClient.terminalZoom; });
                }
            }
            ComboBox {
                objectName: "orientationBox"
                label: qsTr("Orientation")
                currentIndex: tnClient.orientationLock
                menu: ContextMenu {
                    MenuItem { text: qsTr("Automatic"); onClicked: tnClient.orientationLock = 0 }
                    MenuItem { text: qsTr("Portrait"); onClicked: tnClient.orientationLock = 1 }
                    MenuItem { text: qsTr("Landscape"); onClicked: tnClient.orientationLock = 2 }
                }
            }

            SectionHeader { text: qsTr("Bars") }
            TextSwitch {
                text: qsTr("Function keys")
                description: qsTr("F1 to F24, PA keys, SysReq, Attn and the other host keys.")
                automaticCheck: false
                checked: tnClient.showFunctionBar
                onClicked: tnClient.showFunctionBar = !tnClient.showFunctionBar
            }
            TextSwitch {
                text: qsTr("Editing keys")
                description: qsTr("Enter, Reset, Tab, Field Exit, arrows, Erase, Copy, Paste and more.")
                automaticCheck: false
                checked: tnClient.showActionBar
                onClicked: tnClient.showActionBar = !tnClient.showActionBar
            }
            TextSwitch {
                text: qsTr("Operator line")
                description: qsTr("Connection, keyboard lock, insert mode, cursor position, messages.")
                automaticCheck: false
                checked: tnClient.showStatusBar
                onClicked: tnClient.showStatusBar = !tnClient.showStatusBar
            }
            Label {
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                wrapMode: Text.Wrap
                color: Theme.secondaryColor
                font.pixelSize: Theme.fontSizeExtraSmall
                text: qsTr("Key bars switched off come back at the next start.")
            }

            SectionHeader { text: qsTr("Taps") }
            TextSwitch {
                text: qsTr("Double tap sends Enter")
                description: qsTr("Two taps on the same cell.")
                automaticCheck: false
                checked: tnClient.doubleTapEnter
                onClicked: tnClient.doubleTapEnter = !tnClient.doubleTapEnter
            }
            TextSwitch {
                text: qsTr("Tappable F-keys and addresses")
                description: qsTr("Labels such as F3=Exit are keys; web addresses open after asking.")
                automaticCheck: false
                checked: tnClient.hotspotsEnabled
                onClicked: tnClient.hotspotsEnabled = !tnClient.hotspotsEnabled
            }
        }

        VerticalScrollDecorator {}
    }
}
