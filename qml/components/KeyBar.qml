import QtQuick 2.6
import "keys.js" as KeyList

// A bar of on-screen keys built from a list of entries {label, action, page}
// (keys.js). It shows the entries of page; with more than one entry in
// pageLabels a switch at its start steps through the pages. Keys share the
// width when they fit and are flicked sideways when they do not, with a mark
// at the edge where more keys wait. Every key is as wide as its label needs
// and at least keyHeight square, so a tap target keeps its size and place
// whatever other texts on the page do.
Item {
    id: bar

    property var keys: []
    property int page: 0
    property var pageLabels: []
    // Touch size: the page passes at least 7 mm in pixels.
    property real keyHeight: 28
    property real fontPixelSize: Math.round(keyHeight * 0.42)
    property real spacing: Math.max(2, Math.round(keyHeight * 0.1))
    property color keyColor: "#333333"
    property color keyTextColor: "#f0f0f0"
    property color accentColor: "#2f5f3f"

    signal triggered(string action)
    signal pageRequested(int newPage)

    readonly property var pageKeys: KeyList.onPage(keys, page)
    // For tests and shells: the list that holds the keys.
    readonly property alias list: list

    implicitHeight: keyHeight

    TextMetrics {
        id: widestPageLabel
        font.pixelSize: bar.fontPixelSize
        text: {
            var widest = "";
            for (var i = 0; i < bar.pageLabels.length; ++i) {
                if (bar.pageLabels[i].length > widest.length)
                    widest = bar.pageLabels[i];
            }
            return widest + "  ";
        }
    }

    ActionButton {
        id: pageSwitch
        objectName: "pageSwitch"
        visible: bar.pageLabels.length > 1
        width: visible ? Math.max(bar.keyHeight * 1.5, widestPageLabel.width + 2 * padding) : 0
        height: bar.keyHeight
        fontPixelSize: bar.fontPixelSize
        highlighted: true
        baseColor: bar.keyColor
        highlightColor: bar.accentColor
        textColor: bar.keyTextColor
        text: bar.pageLabels.length > bar.page ? bar.pageLabels[bar.page] : ""
        onClicked: bar.pageRequested((bar.page + 1) % bar.pageLabels.length)
    }

    ListView {
        id: list
        anchors.left: pageSwitch.right
        anchors.leftMargin: pageSwitch.visible ? bar.spacing : 0
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        orientation: ListView.Horizontal
        spacing: bar.spacing
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: bar.pageKeys
        // Keys are as wide as their labels need; where the bar is wider than
        // all of them, each gets an equal part of what is left.
        readonly property real keyPadding: Math.round(bar.fontPixelSize * 0.7)
        readonly property real naturalTotal: naturalKeys.width
        readonly property real extra: count > 0 ? Math.max(0, (width - naturalTotal) / count) : 0

        delegate: ActionButton {
            objectName: "key:" + modelData.action
            text: modelData.label
            fontPixelSize: bar.fontPixelSize
            padding: list.keyPadding
            baseColor: bar.keyColor
            textColor: bar.keyTextColor
            minimumWidth: bar.keyHeight
            implicitHeight: bar.keyHeight
            width: implicitWidth + Math.floor(list.extra)
            onClicked: bar.triggered(modelData.action)
        }
    }

    // The keys at their natural widths, for sharing out the room.
    Row {
        id: naturalKeys
        visible: false
        spacing: list.spacing
        Repeater {
            model: bar.pageKeys
            Item {
                width: Math.ceil(Math.max(bar.keyHeight, label.implicitWidth + 2 * list.keyPadding))
                height: 1
                Text {
                    id: label
                    text: modelData.label
                    font.pixelSize: bar.fontPixelSize
                }
            }
        }
    }

    // Marks at the edges while keys lie beyond them.
    Rectangle {
        anchors.left: list.left
        anchors.verticalCenter: list.verticalCenter
        width: Math.max(3, Math.round(bar.keyHeight * 0.12))
        height: bar.keyHeight * 0.6
        radius: width / 2
        color: Qt.lighter(bar.accentColor, 2.2)
        visible: !list.atXBeginning
    }
    Rectangle {
        anchors.right: list.right
        anchors.verticalCenter: list.verticalCenter
        width: Math.max(3, Math.round(bar.keyHeight * 0.12))
        height: bar.keyHeight * 0.6
        radius: width / 2
        color: Qt.lighter(bar.accentColor, 2.2)
        visible: !list.atXEnd
    }
}
