import QtQuick 2.6
import Sailfish.Silica 1.0
import "../components/session.js" as Session
import "protect.js" as Protect

// The profiles, the one in use marked. A tap switches to a profile; its
// menu switches, renames (the one in use), duplicates or deletes it, the
// last behind a remorse timer. Every step that ends a running session asks
// first where the user wants that (confirmDisconnect).
Page {
    id: page
    objectName: "profilesPage"
    allowedOrientations: Orientation.All

    function protect(question, confirmLabel, action, always) {
        Protect.run(pageStack, tnClient, question, confirmLabel, action, always);
    }
    // What a dialog that also ends the session says about that.
    function sessionNote() {
        return Session.needsConfirmation(tnClient)
            ? qsTr("This ends the session with %1.").arg(tnClient.host) : "";
    }

    function switchTo(id, name) {
        protect(qsTr("Switch to the profile %1? This ends the session with %2.").arg(name).arg(tnClient.host),
                qsTr("Switch"), function () { tnClient.switchProfile(id) });
    }
    function newProfile() {
        pageStack.push(Qt.resolvedUrl("ProfileNameDialog.qml"), {
            dialogTitle: qsTr("New profile"),
            confirmLabel: qsTr("Create"),
            note: sessionNote(),
            apply: function (name) { tnClient.createProfile(name) }
        });
    }
    function rename() {
        pageStack.push(Qt.resolvedUrl("ProfileNameDialog.qml"), {
            dialogTitle: qsTr("Rename profile"),
            confirmLabel: qsTr("Rename"),
            profileName: tnClient.currentProfileName,
            apply: function (name) { tnClient.currentProfileName = name }
        });
    }
    // The client copies the profile in use, so another one is switched to
    // first; either way the copy is in use afterwards.
    function duplicate(id, name) {
        protect(qsTr("Copy the profile %1 and switch to the copy? This ends the session with %2.")
                    .arg(name).arg(tnClient.host),
                qsTr("Duplicate"), function () {
                    if (tnClient.currentProfileId === id || tnClient.switchProfile(id))
                        tnClient.duplicateCurrentProfile();
                });
    }
    // The client deletes the profile in use: another one is switched to for
    // that, and the one in use before comes back afterwards.
    function remove(id) {
        var previous = tnClient.currentProfileId;
        if (previous !== id && !tnClient.switchProfile(id))
            return;
        if (tnClient.deleteCurrentProfile() && previous !== id)
            tnClient.switchProfile(previous);
    }

    SilicaListView {
        id: list
        objectName: "profileList"
        anchors.fill: parent
        model: tnClient.profiles

        header: PageHeader { title: qsTr("Profiles") }

        PullDownMenu {
            MenuItem {
                objectName: "menuNewProfile"
                text: qsTr("New profile")
                onClicked: page.newProfile()
            }
        }

        delegate: ListItem {
            id: item
            objectName: "profile:" + modelData.id
            contentHeight: Theme.itemSizeMedium

            function remove() {
                var id = modelData.id;
                remorseAction(Session.needsConfirmation(tnClient) ? qsTr("Deleting, ending the session")
                                                                  : qsTr("Deleting"),
                              function () { page.remove(id) });
            }

            onClicked: {
                if (!modelData.active)
                    page.switchTo(modelData.id, modelData.name);
            }

            menu: ContextMenu {
                MenuItem {
                    objectName: "profileSwitch"
                    visible: !modelData.active
                    text: qsTr("Switch")
                    onClicked: page.switchTo(modelData.id, modelData.name)
                }
                MenuItem {
                    objectName: "profileRename"
                    visible: modelData.active
                    text: qsTr("Rename")
                    onClicked: page.rename()
                }
                MenuItem {
                    objectName: "profileDuplicate"
                    text: qsTr("Duplicate")
                    onClicked: page.duplicate(modelData.id, modelData.name)
                }
                MenuItem {
                    objectName: "profileDelete"
                    visible: tnClient.profileCount > 1
                    text: qsTr("Delete")
                    onClicked: item.remove()
                }
            }

            // The mark of the profile in use.
            Rectangle {
                objectName: "activeMark"
                visible: modelData.active
                width: Theme.paddingSmall
                height: item.contentHeight
                color: Theme.highlightColor
            }
            Column {
                anchors.verticalCenter: parent.top
                anchors.verticalCenterOffset: item.contentHeight / 2
                x: Theme.horizontalPageMargin
                width: parent.width - 2 * x
                Label {
                    width: parent.width
                    elide: Text.ElideRight
                    color: modelData.active || item.highlighted ? Theme.highlightColor : Theme.primaryColor
                    text: modelData.name
                }
                Label {
                    width: parent.width
                    elide: Text.ElideRight
                    color: modelData.active || item.highlighted ? Theme.secondaryHighlightColor : Theme.secondaryColor
                    font.pixelSize: Theme.fontSizeExtraSmall
                    text: (modelData.active ? qsTr("In use") + " · " : "")
                          + (modelData.host !== "" ? modelData.host : qsTr("No host yet"))
                }
            }
        }

        VerticalScrollDecorator {}
    }
}
