import QtQuick 2.6
import Sailfish.Silica 1.0

// The current profile's macros (at most 12). A tap runs one on the
// terminal; its menu edits or deletes it (behind a remorse timer); the
// pull-down menu adds one.
Page {
    id: page
    objectName: "macrosPage"
    allowedOrientations: Orientation.All

    readonly property int macroLimit: 12

    // Back on the terminal, where the macro's keys go.
    function run(index) {
        var terminal = pageStack.find(function (candidate) { return candidate.objectName === "terminalPage" });
        if (terminal)
            pageStack.pop(terminal);
        tnClient.runMacroAt(index);
    }
    function edit(macro) {
        pageStack.push(Qt.resolvedUrl("MacroDialog.qml"),
                       { macroIndex: macro.index, macroName: macro.name, macroSequence: macro.sequence });
    }

    SilicaListView {
        id: list
        objectName: "macroList"
        anchors.fill: parent
        model: tnClient.macros

        header: PageHeader {
            title: qsTr("Macros")
            description: tnClient.currentProfileName
        }

        PullDownMenu {
            MenuItem {
                objectName: "menuNewMacro"
                text: list.count < page.macroLimit ? qsTr("New macro")
                                                   : qsTr("A profile can have up to 12 macros")
                enabled: list.count < page.macroLimit
                onClicked: pageStack.push(Qt.resolvedUrl("MacroDialog.qml"))
            }
        }

        ViewPlaceholder {
            enabled: list.count === 0
            text: qsTr("No macros")
            hintText: qsTr("Pull down to add one: text and keys such as {ENTER} or {F3}, typed into the terminal at a tap.")
        }

        delegate: ListItem {
            id: item
            objectName: "macro:" + modelData.index
            contentHeight: Theme.itemSizeMedium

            function remove() {
                var index = modelData.index;
                remorseAction(qsTr("Deleting"), function () { tnClient.deleteMacro(index) });
            }

            onClicked: page.run(modelData.index)

            menu: ContextMenu {
                MenuItem {
                    text: qsTr("Edit")
                    onClicked: page.edit(modelData)
                }
                MenuItem {
                    text: qsTr("Delete")
                    onClicked: item.remove()
                }
            }

            Column {
                anchors.verticalCenter: parent.top
                anchors.verticalCenterOffset: item.contentHeight / 2
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                Label {
                    width: parent.width
                    elide: Text.ElideRight
                    color: item.highlighted ? Theme.highlightColor : Theme.primaryColor
                    text: modelData.name
                }
                Label {
                    width: parent.width
                    elide: Text.ElideRight
                    color: item.highlighted ? Theme.secondaryHighlightColor : Theme.secondaryColor
                    font.pixelSize: Theme.fontSizeExtraSmall
                    font.family: "monospace"
                    text: modelData.sequence
                }
            }
        }

        VerticalScrollDecorator {}
    }
}
