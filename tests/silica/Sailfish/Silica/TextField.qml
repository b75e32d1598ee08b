// QtQuick 2.0: from 2.6 on, QtQuick's own EnterKey would hide this module's.
import QtQuick 2.0
import Sailfish.Silica 1.0

// One line of text over a line, its label under it. Return and Enter are
// the keyboard's Enter key: EnterKey.onClicked runs while EnterKey.enabled.
FocusScope {
    id: field

    property alias text: input.text
    property string label
    property string placeholderText
    property alias inputMethodHints: input.inputMethodHints
    property alias echoMode: input.echoMode
    property alias validator: input.validator
    readonly property alias acceptableInput: input.acceptableInput
    property alias readOnly: input.readOnly
    property alias horizontalAlignment: input.horizontalAlignment
    property alias font: input.font
    property color color: Theme.primaryColor
    property bool errorHighlight: false
    property real textLeftMargin: Theme.horizontalPageMargin
    property real textRightMargin: Theme.horizontalPageMargin
    readonly property alias _editor: input

    function _enter(event) {
        event.accepted = true;
        if (field.EnterKey.enabled)
            field.EnterKey.clicked();
    }

    width: parent ? parent.width : 0
    height: input.y + input.height + Theme.paddingSmall + labelText.height + Theme.paddingMedium

    MouseArea {
        anchors.fill: parent
        onClicked: input.forceActiveFocus()
    }
    TextInput {
        id: input
        focus: true
        x: field.textLeftMargin
        y: Theme.paddingMedium
        width: field.width - field.textLeftMargin - field.textRightMargin
        clip: true
        selectByMouse: true
        color: field.errorHighlight ? Theme.errorColor : field.color
        font.pixelSize: Theme.fontSizeMedium
        Keys.onReturnPressed: field._enter(event)
        Keys.onEnterPressed: field._enter(event)
    }
    Text {
        anchors.fill: input
        visible: input.text === ""
        color: Theme.secondaryColor
        font.pixelSize: Theme.fontSizeMedium
        elide: Text.ElideRight
        text: field.placeholderText !== "" ? field.placeholderText : field.label
    }
    Rectangle {
        id: line
        x: input.x
        y: input.y + input.height + Theme.paddingSmall / 2
        width: input.width
        height: Math.max(1, Theme.paddingSmall / 3)
        color: field.errorHighlight ? Theme.errorColor : input.activeFocus ? Theme.highlightColor : Theme.secondaryColor
    }
    Text {
        id: labelText
        x: input.x
        y: line.y + Theme.paddingSmall
        width: input.width
        elide: Text.ElideRight
        color: field.errorHighlight ? Theme.errorColor : Theme.secondaryHighlightColor
        font.pixelSize: Theme.fontSizeSmall
        text: field.label
    }
}
