// QtQuick 2.0, not 2.6: QtQuick's own EnterKey (2.6) would hide Silica's.
import QtQuick 2.0
import Sailfish.Silica 1.0

// A macro's name and key sequence; accepting saves it as a new macro
// (macroIndex -1) or in place of the one it was opened for.
Dialog {
    id: dialog
    objectName: "macroDialog"
    allowedOrientations: Orientation.All

    property int macroIndex: -1
    property string macroName
    property string macroSequence

    canAccept: nameField.text.trim() !== "" && sequenceField.text !== ""
    onAccepted: tnClient.saveMacro(macroIndex, nameField.text, sequenceField.text)

    SilicaFlickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.paddingLarge

        Column {
            id: column
            width: parent.width
            spacing: Theme.paddingSmall

            DialogHeader {
                title: dialog.macroIndex < 0 ? qsTr("New macro") : qsTr("Edit macro")
                acceptText: qsTr("Save")
                cancelText: qsTr("Cancel")
            }
            TextField {
                id: nameField
                objectName: "macroNameField"
                label: qsTr("Name")
                text: dialog.macroName
                EnterKey.iconSource: "image://theme/icon-m-enter-next"
                EnterKey.onClicked: sequenceField.forceActiveFocus()
            }
            TextField {
                id: sequenceField
                objectName: "macroSequenceField"
                label: qsTr("Sequence")
                text: dialog.macroSequence
                inputMethodHints: Qt.ImhNoPredictiveText | Qt.ImhNoAutoUppercase
                EnterKey.iconSource: "image://theme/icon-m-enter-accept"
                EnterKey.onClicked: dialog.accept()
            }
            Label {
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                wrapMode: Text.Wrap
                color: Theme.secondaryHighlightColor
                font.pixelSize: Theme.fontSizeExtraSmall
                text: qsTr("Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …")
            }
        }
    }
}
