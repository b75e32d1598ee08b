.pragma library

// Desktop keyboard to 5250 keys. Returns true when the key was used.
// Enter sends Enter, the keypad Enter too; Escape is Attention; Shift+F1..F12
// are F13..F24; Ctrl+C copies the screen and Ctrl+V pastes its first line.
function handleKey(client, event) {
    var shift = (event.modifiers & Qt.ShiftModifier) !== 0;
    var control = (event.modifiers & Qt.ControlModifier) !== 0;

    if (event.key >= Qt.Key_F1 && event.key <= Qt.Key_F12) {
        client.sendFunctionKey(event.key - Qt.Key_F1 + 1 + (shift ? 12 : 0));
        return true;
    }
    if (event.key >= Qt.Key_F13 && event.key <= Qt.Key_F24) {
        client.sendFunctionKey(event.key - Qt.Key_F13 + 13);
        return true;
    }
    if (control) {
        if (event.key === Qt.Key_C) { client.copyScreen(); return true; }
        if (event.key === Qt.Key_V) { client.pasteClipboard(); return true; }
        return false;
    }

    switch (event.key) {
    case Qt.Key_Return:
    case Qt.Key_Enter:
        client.sendEnter();
        return true;
    case Qt.Key_Tab:
        client.tab();
        return true;
    case Qt.Key_Backtab:
        client.backtab();
        return true;
    case Qt.Key_Backspace:
        client.backspace();
        return true;
    case Qt.Key_Delete:
        client.deleteCharacter();
        return true;
    case Qt.Key_Insert:
        client.toggleInsertMode();
        return true;
    case Qt.Key_Home:
        client.home();
        return true;
    case Qt.Key_End:
        if (shift)
            client.eraseToEndOfField();
        else
            client.endOfField();
        return true;
    case Qt.Key_Left:
        client.moveCursorLeft();
        return true;
    case Qt.Key_Right:
        client.moveCursorRight();
        return true;
    case Qt.Key_Up:
        client.moveCursorUp();
        return true;
    case Qt.Key_Down:
        client.moveCursorDown();
        return true;
    case Qt.Key_PageUp:
        client.sendPageUp();
        return true;
    case Qt.Key_PageDown:
        client.sendPageDown();
        return true;
    case Qt.Key_Escape:
        client.sendAttention();
        return true;
    case Qt.Key_Pause:
        client.sendClear();
        return true;
    }

    if (event.text.length > 0 && event.text.charCodeAt(0) >= 0x20) {
        client.inputText(event.text);
        return true;
    }
    return false;
}
