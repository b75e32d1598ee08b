import QtQuick 2.6
import Sailfish.Silica 1.0

TextField {
    echoMode: TextInput.Password
    inputMethodHints: Qt.ImhNoPredictiveText | Qt.ImhNoAutoUppercase | Qt.ImhSensitiveData | Qt.ImhHiddenText
    label: "Password"
}
