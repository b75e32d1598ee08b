// QtQuick 2.0, not 2.6: QtQuick's own EnterKey (2.6) would hide Silica's.
import QtQuick 2.0
import Sailfish.Silica 1.0

// A profile's name, for a new profile or a new name: accepting hands it to
// apply(name). note says what else accepting does (ending a session).
Dialog {
    id: dialog
    objectName: "profileNameDialog"
    allowedOrientations: Orientation.All

    property string dialogTitle
    property string confirmLabel
    property string profileName
    property string note
    property var apply: null

    onAccepted: {
        if (apply)
            apply(nameField.text);
    }
    // The keyboard opens for the name as soon as the dialog is there.
    onStatusChanged: {
        if (status === PageStatus.Active)
            nameField.forceActiveFocus();
    }

    Column {
        width: parent.width
        spacing: Theme.paddingMedium

        DialogHeader {
            title: dialog.dialogTitle
            acceptText: dialog.confirmLabel
            cancelText: qsTr("Cancel")
        }
        TextField {
            id: nameField
            objectName: "profileNameField"
            label: qsTr("Profile name")
            text: dialog.profileName
            EnterKey.iconSource: "image://theme/icon-m-enter-accept"
            EnterKey.onClicked: dialog.accept()
        }
        Label {
            visible: dialog.note !== ""
            x: Theme.horizontalPageMargin
            width: parent.width - 2 * x
            wrapMode: Text.Wrap
            color: Theme.highlightColor
            text: dialog.note
        }
    }
}
