import QtQuick 2.6
import Sailfish.Silica 1.0

// The question before a step that ends a session, opens a browser or sends
// the saved login to another host: accepting runs action, cancelling leaves
// everything as it was.
Dialog {
    id: dialog
    objectName: "confirmDialog"
    allowedOrientations: Orientation.All

    property string question
    property string confirmLabel
    property var action: null

    onAccepted: {
        if (action)
            action();
    }

    Column {
        width: parent.width
        spacing: Theme.paddingLarge

        DialogHeader {
            acceptText: dialog.confirmLabel
            cancelText: qsTr("Cancel")
        }
        Label {
            objectName: "question"
            x: Theme.horizontalPageMargin
            width: parent.width - 2 * x
            wrapMode: Text.Wrap
            color: Theme.highlightColor
            font.pixelSize: Theme.fontSizeLarge
            text: dialog.question
        }
    }
}
