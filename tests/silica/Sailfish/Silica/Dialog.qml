import QtQuick 2.6
import Sailfish.Silica 1.0

// A page that is accepted or rejected (its DialogHeader's two ends), then
// leaves the stack.
Page {
    id: dialog

    property bool canAccept: true
    readonly property bool __silica_dialog: true

    signal accepted()
    signal rejected()
    signal done()

    function accept() {
        if (!canAccept)
            return;
        accepted();
        done();
        if (pageContainer)
            pageContainer.pop();
    }
    function reject() {
        rejected();
        done();
        if (pageContainer)
            pageContainer.pop();
    }
}
