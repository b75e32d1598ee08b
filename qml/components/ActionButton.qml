import QtQuick 2.6

// A push button made of plain QtQuick items. It is as wide as its label
// needs (at least minimumWidth) unless the user of it sets a width; the
// height is the touch size the page gives it.
Rectangle {
    id: button
    property alias text: label.text
    property real fontPixelSize: 13
    property real padding: Math.round(fontPixelSize * 0.7)
    property real minimumWidth: implicitHeight * 2
    // Shown as switched on (a panel it opens is open, the active profile).
    property bool highlighted: false
    // Colours, for a shell with a theme of its own.
    property color baseColor: "#333333"
    property color highlightColor: "#2f5f3f"
    property color textColor: "#f0f0f0"
    readonly property bool pressed: mouse.pressed
    signal clicked()

    implicitWidth: Math.ceil(Math.max(minimumWidth, label.implicitWidth + 2 * padding))
    implicitHeight: 28
    width: implicitWidth
    height: implicitHeight
    radius: 3
    color: !enabled ? Qt.darker(baseColor, 1.3)
         : mouse.pressed ? Qt.lighter(baseColor, 1.8)
         : highlighted ? highlightColor
         : mouse.containsMouse ? Qt.lighter(baseColor, 1.3) : baseColor
    border.color: highlighted ? Qt.lighter(highlightColor, 1.6) : Qt.lighter(baseColor, 1.6)

    Text {
        id: label
        anchors.centerIn: parent
        width: Math.min(implicitWidth, parent.width - 4)
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        color: button.textColor
        opacity: button.enabled ? 1 : 0.5
        font.pixelSize: button.fontPixelSize
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
