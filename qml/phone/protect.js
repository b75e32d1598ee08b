.pragma library
.import "../components/session.js" as Session

// The phone's protect(question, confirmLabel, action, always): runs action,
// after a dialog that asks question where cutting the session needs a yes
// (see Session.needsConfirmation) or where always is true.
function run(pageStack, client, question, confirmLabel, action, always) {
    if (always || Session.needsConfirmation(client)) {
        pageStack.push(Qt.resolvedUrl("ConfirmDialog.qml"),
                       { question: question, confirmLabel: confirmLabel, action: action });
    } else {
        action();
    }
}
