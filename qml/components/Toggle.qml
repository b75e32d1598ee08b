import QtQuick 2.6

// A labelled on/off switch made of plain items.
Row {
    id: toggle
    property alias label: caption.text
    property bool checked: false
    signal toggled(bool checked)

    spacing: 6
    height: 24

    Rectangle {
        width: 36
        height: 18
        radius: 9
        anchors.verticalCenter: parent.verticalCenter
        color: toggle.checked ? "#3c8a3c" : "#444444"
        Rectangle {
            width: 14
            height: 14
            radius: 7
            y: 2
            x: toggle.checked ? parent.width - width - 2 : 2
            color: "#e8e8e8"
        }
        MouseArea {
            anchors.fill: parent
            onClicked: toggle.toggled(!toggle.checked)
        }
    }
    Text {
        id: caption
        anchors.verticalCenter: parent.verticalCenter
        color: "#c0c0c0"
        font.pixelSize: 13
        MouseArea {
            anchors.fill: parent
            onClicked: toggle.toggled(!toggle.checked)
        }
    }
}
