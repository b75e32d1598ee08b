.pragma library

// The on-screen keys, as data: every entry has the label shown, the action
// (the key name TerminalInput.trigger() runs) and the page it is shown on.
// The key bars are built from these lists; nothing else names the keys.

// The function-key bar, paged by the client's functionKeyPage:
// 0 F1-F12, 1 F13-F24, 2 the other attention and out-of-band keys.
function functionKeys() {
    var keys = [];
    for (var number = 1; number <= 24; ++number)
        keys.push({ label: "F" + number, action: "F" + number, page: number <= 12 ? 0 : 1 });
    keys.push({ label: qsTr("PA1"), action: "PA1", page: 2 });
    keys.push({ label: qsTr("PA2"), action: "PA2", page: 2 });
    keys.push({ label: qsTr("PA3"), action: "PA3", page: 2 });
    keys.push({ label: qsTr("SysReq"), action: "sysreq", page: 2 });
    keys.push({ label: qsTr("Attn"), action: "attn", page: 2 });
    keys.push({ label: qsTr("Print"), action: "print", page: 2 });
    keys.push({ label: qsTr("Help"), action: "help", page: 2 });
    keys.push({ label: qsTr("Clear"), action: "clear", page: 2 });
    keys.push({ label: qsTr("Test Req"), action: "testRequest", page: 2 });
    return keys;
}

// What the page switch of the function-key bar shows for each page.
function functionPageLabels() {
    return [qsTr("F1–12"), qsTr("F13–24"), qsTr("PA…")];
}

// The editing and movement keys; one page, flicked where it does not fit.
function actionKeys() {
    return [
        { label: qsTr("Enter"), action: "enter", page: 0 },
        { label: qsTr("Reset"), action: "reset", page: 0 },
        { label: qsTr("Tab"), action: "tab", page: 0 },
        { label: qsTr("Backtab"), action: "backtab", page: 0 },
        { label: qsTr("Field Exit"), action: "fieldExit", page: 0 },
        { label: qsTr("Field+"), action: "fieldPlus", page: 0 },
        { label: qsTr("Field−"), action: "fieldMinus", page: 0 },
        { label: qsTr("Erase EOF"), action: "eraseEof", page: 0 },
        { label: qsTr("Erase Input"), action: "eraseInput", page: 0 },
        { label: qsTr("Insert"), action: "insert", page: 0 },
        { label: qsTr("Home"), action: "home", page: 0 },
        { label: qsTr("End"), action: "endOfField", page: 0 },
        { label: "←", action: "left", page: 0 },
        { label: "↑", action: "up", page: 0 },
        { label: "↓", action: "down", page: 0 },
        { label: "→", action: "right", page: 0 },
        { label: qsTr("Delete"), action: "delete", page: 0 },
        { label: qsTr("Page Up"), action: "pageUp", page: 0 },
        { label: qsTr("Page Down"), action: "pageDown", page: 0 },
        { label: qsTr("Copy"), action: "copy", page: 0 },
        { label: qsTr("Paste"), action: "paste", page: 0 }
    ];
}

// The entries of keys on page.
function onPage(keys, page) {
    var result = [];
    for (var i = 0; i < keys.length; ++i) {
        if (keys[i].page === page)
            result.push(keys[i]);
    }
    return result;
}

// The number of pages keys spread over.
function pageCount(keys) {
    var highest = 0;
    for (var i = 0; i < keys.length; ++i)
        highest = Math.max(highest, keys[i].page);
    return keys.length > 0 ? highest + 1 : 0;
}
