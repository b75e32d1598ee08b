import QtQuick 2.6
import Sailfish.Silica 1.0

Text {
    property bool highlighted: false

    color: highlighted ? Theme.highlightColor : Theme.primaryColor
    linkColor: Theme.highlightColor
    font.pixelSize: Theme.fontSizeMedium
}
