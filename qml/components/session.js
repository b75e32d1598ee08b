.pragma library

// What the connection button does in each connection state, and when a
// session needs the user's yes before it is cut.

// "connect", "cancel" (an attempt is under way), "reconnect" (waiting
// between automatic attempts) or "disconnect".
function connectionAction(client) {
    var state = client.connectionState;
    if (state === "Connecting" || state === "Reconnecting" || state === "Negotiating")
        return "cancel";
    if (state === "Reconnect wait")
        return "reconnect";
    if (client.connected)
        return "disconnect";
    return "connect";
}

function actionLabel(action) {
    if (action === "cancel")
        return qsTr("Cancel");
    if (action === "reconnect")
        return qsTr("Reconnect now");
    if (action === "disconnect")
        return qsTr("Disconnect");
    return qsTr("Connect");
}

// Every label the connection button can show, so that the button can be as
// wide as the widest and never move its neighbours.
function actionLabels() {
    return [actionLabel("connect"), actionLabel("cancel"), actionLabel("reconnect"),
            actionLabel("disconnect")];
}

// Runs the button's action. "disconnect" goes through
// protect(question, confirmLabel, action), which asks first where the shell
// wants it to (see needsConfirmation).
function runConnectionAction(client, action, protect) {
    if (action === "connect" || action === "reconnect")
        client.connectToHost();
    else if (action === "cancel")
        client.disconnectFromHost();
    else if (action === "disconnect")
        protect(qsTr("Disconnect from %1?").arg(client.host), qsTr("Disconnect"),
                function () { client.disconnectFromHost(); });
}

// Whether cutting the session now needs a yes: a connection to a host is
// up (the user may be signed on) and the confirmDisconnect preference is on.
function needsConfirmation(client) {
    return client.confirmDisconnect && client.connected;
}

// "Sign on" with the saved login. Where the login was saved for another host
// (or before hosts were recorded) the client gives the question to ask, and
// only a yes, always asked through protect(question, confirmLabel, action,
// always), sends the password there.
function signOn(client, protect) {
    var question = client.signOnQuestion;
    if (question === "")
        client.performSavedLogin();
    else
        protect(question, qsTr("Sign on"), function () { client.performConfirmedSavedLogin(); }, true);
}
