#ifndef VANTOREL_TERMINALINPUT_H
#define VANTOREL_TERMINALINPUT_H

#include <QElapsedTimer>
#include <QPointer>
#include <QQuickItem>
#include <QString>

// The complete type: QML assigns `client` only when the meta-type system
// knows Tn5250Client* is a QObject.
#include "app/tn5250client.h"

class QInputMethodEvent;
class QKeyEvent;

// Where every operator key of the terminal page enters: hardware keys, the
// text an input method commits (a phone's on-screen keyboard), the keys of
// the on-screen key bars, taps on cells and on function-key labels. It lies
// over the painted terminal, takes the keyboard focus whenever the terminal
// is shown and hands each key to one of the client's operations.
//
// Because every key passes here, it also decides what the operator line
// shows: a message that refused a key (locked keyboard, a field rule) stays
// until the next key that is accepted, then goes; messages from the host or
// the connection always show.
class TerminalInput : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(Tn5250Client *client READ client WRITE setClient NOTIFY clientChanged)
    // Text the input method is composing; shown at the cursor, never sent.
    Q_PROPERTY(QString preeditText READ preeditText NOTIFY preeditTextChanged)
    // The client's status line, unless it refused a key and a later key
    // was accepted.
    Q_PROPERTY(QString operatorMessage READ operatorMessage NOTIFY operatorMessageChanged)

public:
    explicit TerminalInput(QQuickItem *parent = nullptr);

    Tn5250Client *client() const { return m_client; }
    void setClient(Tn5250Client *client);
    QString preeditText() const { return m_preedit; }
    QString operatorMessage() const;

    // Runs the key named `action` ("enter", "tab", "F5", "PA1", ... — the
    // names of the key bars, see qml/components/keys.js). False for a name
    // that is not a key.
    Q_INVOKABLE bool trigger(const QString &action);
    // A tap on a cell (one-based): moves the cursor there and opens the
    // virtual keyboard; a second tap on the same cell within the platform's
    // double-click interval sends Enter when the client's doubleTapEnter is on.
    Q_INVOKABLE void tapCell(int row, int column);
    // Takes the focus and asks the platform to show its virtual keyboard.
    Q_INVOKABLE void openKeyboard();
    // Whether `action` names a key that trigger() runs.
    Q_INVOKABLE bool isAction(const QString &action) const { return isKnownAction(action); }
    static bool isKnownAction(const QString &action);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void clientChanged();
    void preeditTextChanged();
    void operatorMessageChanged();
    // A key was handed to the client (hardware, input method or a bar key).
    void keyTriggered(const QString &action);
    // The client rang the bell (a refused key, the host's alarm).
    void bellRung();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private slots:
    void noteStatus();
    void noteScreen();
    void noteBell();
    void noteConnectionInfo();

private:
    // Runs one operator key and then decides whether the operator line keeps
    // its message (see the class comment).
    template <typename Key>
    void runKey(const QString &action, Key key);
    bool dispatch(const QString &action);
    bool handleKey(QKeyEvent *event);
    void typeText(const QString &text);
    void setPreedit(const QString &text);
    void updateInputMethod();

    QPointer<Tn5250Client> m_client; // not owned
    QString m_preedit;
    // Counted so that runKey() can tell what a key caused.
    int m_statusCount = 0;
    int m_screenCount = 0;
    int m_bellCount = 0;
    bool m_inKey = false;
    bool m_messageHidden = false;
    bool m_messageIsRefusal = false;
    QString m_lastState;
    // The previous tap, for double-tap Enter.
    int m_tapRow = 0;
    int m_tapColumn = 0;
    QElapsedTimer m_tapTime;
};

#endif
