// QtQuick 2.0, not 2.6: QtQuick's own EnterKey (2.6) would hide Silica's.
import QtQuick 2.0
import Sailfish.Silica 1.0

// A text field for one setting. It shows settingValue and hands what was
// typed to committed(text) once per edit, when editing finishes: the
// keyboard's Enter, the field losing the focus, its page going away, the
// application going to the background or quitting. With check set, text it
// returns a message for is not committed: the message shows as the field's
// label and the text stays there to be corrected.
TextField {
    id: field

    property string settingValue
    property string settingLabel
    property var check: null
    property string problem: ""

    signal committed(string text)

    function commitEdit() {
        if (text === settingValue) {
            problem = "";
            return;
        }
        var message = check ? check(text) : "";
        problem = message;
        if (message !== "")
            return;
        committed(text);
        // Shows the value as the setting took it (trimmed, upper case ...).
        text = Qt.binding(function () { return field.settingValue; });
    }

    text: settingValue
    label: problem !== "" ? problem : settingLabel
    errorHighlight: problem !== ""

    EnterKey.iconSource: "image://theme/icon-m-enter-close"
    EnterKey.onClicked: focus = false
    onActiveFocusChanged: {
        if (!activeFocus)
            commitEdit();
    }

    readonly property bool applicationActive: Qt.application.active
    onApplicationActiveChanged: {
        if (!applicationActive && activeFocus)
            commitEdit();
    }
    Component.onCompleted: {
        if (Qt.application.aboutToQuit)
            Qt.application.aboutToQuit.connect(commitEdit);
    }
    Component.onDestruction: {
        if (Qt.application.aboutToQuit)
            Qt.application.aboutToQuit.disconnect(commitEdit);
        commitEdit();
    }
}
