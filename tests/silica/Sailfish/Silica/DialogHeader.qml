import QtQuick 2.6
import Sailfish.Silica 1.0

// The top of a dialog: cancel on the left, accept on the right.
Item {
    id: header

    property string title
    property string acceptText: "Accept"
    property string cancelText: "Cancel"
    property Item dialog: {
        var item = parent;
        while (item && item.__silica_dialog === undefined)
            item = item.parent;
        return item;
    }

    width: parent ? parent.width : 0
    height: Theme.itemSizeLarge

    MouseArea {
        objectName: "dialogCancel"
        anchors.left: parent.left
        width: parent.width / 3
        height: parent.height
        onClicked: if (header.dialog) header.dialog.reject()
        Text {
            anchors.centerIn: parent
            color: Theme.secondaryColor
            font.pixelSize: Theme.fontSizeMedium
            text: header.cancelText
        }
    }
    MouseArea {
        objectName: "dialogAccept"
        anchors.right: parent.right
        width: parent.width * 2 / 3
        height: parent.height
        enabled: header.dialog !== null && header.dialog.canAccept
        onClicked: header.dialog.accept()
        Text {
            anchors.right: parent.right
            anchors.rightMargin: Theme.horizontalPageMargin
            anchors.verticalCenter: parent.verticalCenter
            color: parent.enabled ? Theme.highlightColor : Theme.secondaryColor
            font.pixelSize: Theme.fontSizeLarge
            text: header.acceptText
        }
    }
}
