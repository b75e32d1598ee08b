import QtQuick 2.6
import Sailfish.Silica 1.0

// One line of the settings page: a title, what is set now, and the page
// a tap opens.
BackgroundItem {
    id: entry

    property string title
    property string hint
    property string page

    height: Theme.itemSizeMedium
    onClicked: pageStack.push(Qt.resolvedUrl(entry.page))

    Column {
        anchors.verticalCenter: parent.verticalCenter
        x: Theme.horizontalPageMargin
        width: parent.width - 2 * x
        Label {
            width: parent.width
            elide: Text.ElideRight
            color: entry.highlighted ? Theme.highlightColor : Theme.primaryColor
            text: entry.title
        }
        Label {
            width: parent.width
            visible: text !== ""
            elide: Text.ElideRight
            color: entry.highlighted ? Theme.secondaryHighlightColor : Theme.secondaryColor
            font.pixelSize: Theme.fontSizeExtraSmall
            text: entry.hint
        }
    }
}
