<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Vantorel</source>
        <translation>Vantorel</translation>
    </message>
    <message>
        <source>A 5250 display station for IBM i hosts, over TN5250 with TLS.</source>
        <translation>Eine 5250-Datenstation für IBM-i-Hosts, über TN5250 mit TLS.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Settings schema</source>
        <translation>Einstellungsschema</translation>
    </message>
</context>
<context>
    <name>AutomationPage</name>
    <message>
        <source>Automation</source>
        <translation>Automatik</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Connect at start</source>
        <translation>Beim Start verbinden</translation>
    </message>
    <message>
        <source>Reconnect after a lost connection</source>
        <translation>Nach Verbindungsverlust neu verbinden</translation>
    </message>
    <message>
        <source>Tries again after 2, 5, 10, 20, then every 30 seconds.</source>
        <translation>Neuer Versuch nach 2, 5, 10, 20, danach alle 30 Sekunden.</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>Type ahead while the host is busy</source>
        <translation>Vorauseingabe, solange der Host beschäftigt ist</translation>
    </message>
    <message>
        <source>Keys typed while the keyboard is locked are sent once it unlocks.</source>
        <translation>Bei gesperrter Tastatur Getipptes wird gesendet, sobald sie frei ist.</translation>
    </message>
    <message>
        <source>Open the keyboard on connect</source>
        <translation>Tastatur beim Verbinden öffnen</translation>
    </message>
    <message>
        <source>Sessions</source>
        <translation>Sitzungen</translation>
    </message>
    <message>
        <source>Ask before ending a session</source>
        <translation>Vor dem Beenden einer Sitzung fragen</translation>
    </message>
    <message>
        <source>Before disconnecting, and before creating, switching or deleting a profile while connected.</source>
        <translation>Vor dem Trennen und vor dem Anlegen, Wechseln oder Löschen eines Profils während einer Verbindung.</translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ConfirmPanel</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ConnectionPage</name>
    <message>
        <source>The port is a number from 1 to 65535.</source>
        <translation>Der Port ist eine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Host name or address</source>
        <translation>Hostname oder Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>Encrypted, with the host&apos;s certificate checked. IBM i takes TLS on port 992.</source>
        <translation>Verschlüsselt, mit Prüfung des Host-Zertifikats. IBM i nimmt TLS an Port 992 an.</translation>
    </message>
    <message>
        <source>Display station</source>
        <translation>Datenstation</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Einheitenname</translation>
    </message>
    <message>
        <source>Code page</source>
        <translation>Codepage</translation>
    </message>
    <message>
        <source>A new code page applies from the next connection.</source>
        <translation>Eine neue Codepage gilt ab der nächsten Verbindung.</translation>
    </message>
    <message>
        <source>Offer 27 × 132</source>
        <translation>27 × 132 anbieten</translation>
    </message>
    <message>
        <source>Lets the host use its wide screen, from the next connection.</source>
        <translation>Der Host darf ab der nächsten Verbindung die breite Anzeige nutzen.</translation>
    </message>
    <message>
        <source>Empty: the host picks one</source>
        <translation>Leer: der Host wählt einen</translation>
    </message>
</context>
<context>
    <name>DisplayPage</name>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Amber</source>
        <translation>Bernstein</translation>
    </message>
    <message>
        <source>Light grey</source>
        <translation>Hellgrau</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>Bars</source>
        <translation>Leisten</translation>
    </message>
    <message>
        <source>Function keys</source>
        <translation>Funktionstasten</translation>
    </message>
    <message>
        <source>F1 to F24, PA keys, SysReq, Attn and the other host keys.</source>
        <translation>F1 bis F24, PA-Tasten, SysReq, Attn und die übrigen Host-Tasten.</translation>
    </message>
    <message>
        <source>Editing keys</source>
        <translation>Bearbeitungstasten</translation>
    </message>
    <message>
        <source>Operator line</source>
        <translation>Bedienerzeile</translation>
    </message>
    <message>
        <source>Connection, keyboard lock, insert mode, cursor position, messages.</source>
        <translation>Verbindung, Tastatursperre, Einfügemodus, Cursorposition, Meldungen.</translation>
    </message>
    <message>
        <source>Key bars switched off come back at the next start.</source>
        <translation>Ausgeschaltete Tastenleisten sind beim nächsten Start wieder da.</translation>
    </message>
    <message>
        <source>Taps</source>
        <translation>Antippen</translation>
    </message>
    <message>
        <source>Double tap sends Enter</source>
        <translation>Doppeltippen sendet Eingabe</translation>
    </message>
    <message>
        <source>Two taps on the same cell.</source>
        <translation>Zweimal auf dieselbe Zelle tippen.</translation>
    </message>
    <message>
        <source>Tappable F-keys and addresses</source>
        <translation>Antippbare F-Tasten und Adressen</translation>
    </message>
    <message>
        <source>Labels such as F3=Exit are keys; web addresses open after asking.</source>
        <translation>Beschriftungen wie F3=Exit sind Tasten; Webadressen öffnen sich nach einer Rückfrage.</translation>
    </message>
    <message>
        <source>Enter, Reset, Tab, Field Exit, arrows, Erase, Copy, Paste and more.</source>
        <translation>Eingabe, Grundstellung, Tab, Feldende, Pfeile, Löschen, Kopieren, Einfügen und mehr.</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>New macro</source>
        <translation>Neues Makro</translation>
    </message>
    <message>
        <source>Edit macro</source>
        <translation>Makro bearbeiten</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Tastenfolge</translation>
    </message>
    <message>
        <source>Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …</source>
        <translation>Text wird so getippt, wie er dasteht; Tasten stehen in geschweiften Klammern: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …</translation>
    </message>
</context>
<context>
    <name>MacrosPage</name>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>New macro</source>
        <translation>Neues Makro</translation>
    </message>
    <message>
        <source>A profile can have up to 12 macros</source>
        <translation>Ein Profil kann höchstens 12 Makros haben</translation>
    </message>
    <message>
        <source>No macros</source>
        <translation>Keine Makros</translation>
    </message>
    <message>
        <source>Pull down to add one: text and keys such as {ENTER} or {F3}, typed into the terminal at a tap.</source>
        <translation>Zum Anlegen herunterziehen: Text und Tasten wie {ENTER} oder {F3}, die ein Tippen ins Terminal schreibt.</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Wird gelöscht</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>OperatorLine</name>
    <message>
        <source>X SYSTEM</source>
        <translation>X SYSTEM</translation>
    </message>
    <message>
        <source>INS</source>
        <translation>INS</translation>
    </message>
    <message>
        <source>MW</source>
        <translation>MW</translation>
    </message>
    <message>
        <source>X ERROR</source>
        <translation>X FEHLER</translation>
    </message>
</context>
<context>
    <name>ProfileNameDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation>Profilname</translation>
    </message>
</context>
<context>
    <name>ProfilesPage</name>
    <message>
        <source>This ends the session with %1.</source>
        <translation>Das beendet die Sitzung mit %1.</translation>
    </message>
    <message>
        <source>Switch to the profile %1? This ends the session with %2.</source>
        <translation>Zum Profil %1 wechseln? Das beendet die Sitzung mit %2.</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Wechseln</translation>
    </message>
    <message>
        <source>New profile</source>
        <translation>Neues Profil</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Anlegen</translation>
    </message>
    <message>
        <source>Rename profile</source>
        <translation>Profil umbenennen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Copy the profile %1 and switch to the copy? This ends the session with %2.</source>
        <translation>Das Profil %1 kopieren und zur Kopie wechseln? Das beendet die Sitzung mit %2.</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Deleting, ending the session</source>
        <translation>Wird gelöscht, die Sitzung endet</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Wird gelöscht</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>In use</source>
        <translation>In Gebrauch</translation>
    </message>
    <message>
        <source>No host yet</source>
        <translation>Noch kein Host</translation>
    </message>
</context>
<context>
    <name>ProtocolLogPage</name>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Copy support report</source>
        <translation>Supportbericht kopieren</translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>The log is empty</source>
        <translation>Das Protokoll ist leer</translation>
    </message>
    <message>
        <source>Connections and what the host sends are logged here.</source>
        <translation>Hier stehen die Verbindungen und was der Host sendet.</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>This profile</source>
        <translation>Dieses Profil</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>No host yet</source>
        <translation>Noch kein Host</translation>
    </message>
    <message>
        <source>Sign-on</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>No user saved</source>
        <translation>Kein Benutzer gespeichert</translation>
    </message>
    <message>
        <source>%1, password saved</source>
        <translation>%1, Kennwort gespeichert</translation>
    </message>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>No macros</source>
        <translation>Keine Makros</translation>
    </message>
    <message>
        <source>One macro</source>
        <translation>Ein Makro</translation>
    </message>
    <message>
        <source>%1 macros</source>
        <translation>%1 Makros</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Colours, zoom, orientation, bars</source>
        <translation>Farben, Zoom, Ausrichtung, Leisten</translation>
    </message>
    <message>
        <source>Automation</source>
        <translation>Automatik</translation>
    </message>
    <message>
        <source>Connecting, typing ahead, sessions</source>
        <translation>Verbinden, Vorauseingabe, Sitzungen</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>TLS details</source>
        <translation>TLS-Details</translation>
    </message>
    <message>
        <source>No TLS session</source>
        <translation>Keine TLS-Sitzung</translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>What the connection did; the support report</source>
        <translation>Was die Verbindung getan hat; der Supportbericht</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <source>The port is a number from 1 to 65535.</source>
        <translation>Der Port ist eine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Switch to the profile %1? This ends the session with %2.</source>
        <translation>Zum Profil %1 wechseln? Das beendet die Sitzung mit %2.</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Wechseln</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Create a new profile? This ends the session with %1.</source>
        <translation>Ein neues Profil anlegen? Das beendet die Sitzung mit %1.</translation>
    </message>
    <message>
        <source>New profile</source>
        <translation>Neues Profil</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Duplicate this profile and switch to the copy? This ends the session with %1.</source>
        <translation>Dieses Profil duplizieren und zur Kopie wechseln? Das beendet die Sitzung mit %1.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete the profile %1 with its macros and saved password?</source>
        <translation>Das Profil %1 mit seinen Makros und dem gespeicherten Kennwort löschen?</translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Einheitenname</translation>
    </message>
    <message>
        <source>Code page</source>
        <translation>Codepage</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>Offer 27 x 132</source>
        <translation>27 x 132 anbieten</translation>
    </message>
    <message>
        <source>Connect at start</source>
        <translation>Beim Start verbinden</translation>
    </message>
    <message>
        <source>Reconnect after a lost connection</source>
        <translation>Nach Verbindungsverlust neu verbinden</translation>
    </message>
    <message>
        <source>Ask before ending a session</source>
        <translation>Vor dem Beenden einer Sitzung fragen</translation>
    </message>
    <message>
        <source>Sign-on</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kennwort</translation>
    </message>
    <message>
        <source>Remember password</source>
        <translation>Kennwort merken</translation>
    </message>
    <message>
        <source>Sign on automatically</source>
        <translation>Automatisch anmelden</translation>
    </message>
    <message>
        <source>Save login</source>
        <translation>Anmeldung speichern</translation>
    </message>
    <message>
        <source>Clear login</source>
        <translation>Anmeldung löschen</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Farbschema</translation>
    </message>
    <message>
        <source>Function keys</source>
        <translation>Funktionstasten</translation>
    </message>
    <message>
        <source>Editing keys</source>
        <translation>Bearbeitungstasten</translation>
    </message>
    <message>
        <source>Operator line</source>
        <translation>Bedienerzeile</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Type ahead while the host is busy</source>
        <translation>Vorauseingabe, solange der Host beschäftigt ist</translation>
    </message>
    <message>
        <source>Tappable F-keys and addresses</source>
        <translation>Antippbare F-Tasten und Adressen</translation>
    </message>
    <message>
        <source>Double tap sends Enter</source>
        <translation>Doppeltippen sendet Eingabe</translation>
    </message>
    <message>
        <source>Open the keyboard on connect</source>
        <translation>Tastatur beim Verbinden öffnen</translation>
    </message>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …</source>
        <translation>Text wird so getippt, wie er dasteht; Tasten stehen in geschweiften Klammern: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …</translation>
    </message>
    <message>
        <source>Run %1</source>
        <translation>%1 ausführen</translation>
    </message>
    <message>
        <source>New macro</source>
        <translation>Neues Makro</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Tastenfolge</translation>
    </message>
    <message>
        <source>Add macro</source>
        <translation>Makro hinzufügen</translation>
    </message>
    <message>
        <source>Sign on automatically without TLS too</source>
        <translation>Auch ohne TLS automatisch anmelden</translation>
    </message>
    <message>
        <source>Signs on by itself only to %1:%2</source>
        <translation>Meldet sich selbsttätig nur bei %1:%2 an</translation>
    </message>
</context>
<context>
    <name>SignOnPage</name>
    <message>
        <source>Sign-on</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kennwort</translation>
    </message>
    <message>
        <source>Password saved; type a new one to change it</source>
        <translation>Kennwort gespeichert; zum Ändern ein neues eingeben</translation>
    </message>
    <message>
        <source>Remember password</source>
        <translation>Kennwort merken</translation>
    </message>
    <message>
        <source>In the phone&apos;s secure store, never in the settings file.</source>
        <translation>Im sicheren Speicher des Telefons, nie in der Einstellungsdatei.</translation>
    </message>
    <message>
        <source>Sign on automatically</source>
        <translation>Automatisch anmelden</translation>
    </message>
    <message>
        <source>Fills and sends the host&apos;s sign-on screen once per connection.</source>
        <translation>Füllt und sendet die Anmeldeanzeige des Hosts einmal pro Verbindung.</translation>
    </message>
    <message>
        <source>Save login</source>
        <translation>Anmeldung speichern</translation>
    </message>
    <message>
        <source>Clear login</source>
        <translation>Anmeldung löschen</translation>
    </message>
    <message>
        <source>Clearing the saved login</source>
        <translation>Gespeicherte Anmeldung wird gelöscht</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmeldedaten</translation>
    </message>
    <message>
        <source>At the sign-on screen</source>
        <translation>An der Anmeldeanzeige</translation>
    </message>
    <message>
        <source>Sign on automatically without TLS too</source>
        <translation>Auch ohne TLS automatisch anmelden</translation>
    </message>
    <message>
        <source>Without TLS the password crosses the network readable.</source>
        <translation>Ohne TLS geht das Kennwort lesbar über das Netz.</translation>
    </message>
    <message>
        <source>Signs on by itself only to %1:%2</source>
        <translation>Meldet sich selbsttätig nur bei %1:%2 an</translation>
    </message>
</context>
<context>
    <name>TerminalPage</name>
    <message>
        <source>Open %1 in the web browser?</source>
        <translation>%1 im Webbrowser öffnen?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Could not open %1: no web browser answered.</source>
        <translation>%1 konnte nicht geöffnet werden: Kein Webbrowser hat geantwortet.</translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation>Selbsttest</translation>
    </message>
    <message>
        <source>Copy screen</source>
        <translation>Anzeige kopieren</translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Sign on</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
</context>
<context>
    <name>TerminalScreen</name>
    <message>
        <source>Keyboard is locked by the host</source>
        <translation>Die Tastatur ist vom Host gesperrt</translation>
    </message>
    <message>
        <source>Cursor is in a protected area</source>
        <translation>Der Cursor steht in einem geschützten Bereich</translation>
    </message>
    <message>
        <source>Character is not valid for this field</source>
        <translation>Dieses Zeichen ist in diesem Feld nicht zulässig</translation>
    </message>
    <message>
        <source>Cursor is on the sign position of a signed numeric field</source>
        <translation>Der Cursor steht auf der Vorzeichenstelle eines numerischen Felds mit Vorzeichen</translation>
    </message>
    <message>
        <source>Insert mode: field has no free position</source>
        <translation>Einfügemodus: Das Feld hat keine freie Stelle</translation>
    </message>
    <message>
        <source>Field Exit is only valid in an input field</source>
        <translation>Feldende ist nur in einem Eingabefeld möglich</translation>
    </message>
    <message>
        <source>Field- is only valid in a signed numeric field</source>
        <translation>Feld- ist nur in einem numerischen Feld mit Vorzeichen möglich</translation>
    </message>
    <message>
        <source>This is a mandatory-entry field</source>
        <translation>Dies ist ein Feld mit Eingabepflicht</translation>
    </message>
    <message>
        <source>Mandatory-fill field is not complete</source>
        <translation>Das Feld mit Füllpflicht ist nicht vollständig ausgefüllt</translation>
    </message>
    <message>
        <source>Erase EOF is only valid in an input field</source>
        <translation>Löschen bis Feldende ist nur in einem Eingabefeld möglich</translation>
    </message>
    <message>
        <source>Input field is not available</source>
        <translation>Das Eingabefeld ist nicht verfügbar</translation>
    </message>
    <message>
        <source>Input field is protected</source>
        <translation>Das Eingabefeld ist geschützt</translation>
    </message>
    <message>
        <source>Saved login value is longer than the IBM i input field</source>
        <translation>Die gespeicherte Anmeldeangabe ist länger als das Eingabefeld von IBM i</translation>
    </message>
    <message>
        <source>Saved login contains a character invalid for this field</source>
        <translation>Die gespeicherte Anmeldung enthält ein Zeichen, das in diesem Feld nicht zulässig ist</translation>
    </message>
    <message>
        <source>A mandatory-entry field has not been entered</source>
        <translation>Ein Feld mit Eingabepflicht wurde nicht ausgefüllt</translation>
    </message>
    <message>
        <source>A mandatory-fill field is incomplete</source>
        <translation>Ein Feld mit Füllpflicht ist unvollständig</translation>
    </message>
    <message>
        <source>Character is not available in EBCDIC code page %1</source>
        <translation>Dieses Zeichen gibt es in der EBCDIC-Codepage %1 nicht</translation>
    </message>
    <message>
        <source>Saved login contains a character unavailable in EBCDIC code page %1</source>
        <translation>Die gespeicherte Anmeldung enthält ein Zeichen, das es in der EBCDIC-Codepage %1 nicht gibt</translation>
    </message>
</context>
<context>
    <name>TlsPage</name>
    <message>
        <source>TLS details</source>
        <translation>TLS-Details</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protokollversion</translation>
    </message>
    <message>
        <source>Cipher</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message>
        <source>Certificate of</source>
        <translation>Zertifikat von</translation>
    </message>
    <message>
        <source>Issued by</source>
        <translation>Ausgestellt von</translation>
    </message>
    <message>
        <source>Valid from</source>
        <translation>Gültig ab</translation>
    </message>
    <message>
        <source>Valid to</source>
        <translation>Gültig bis</translation>
    </message>
    <message>
        <source>No TLS session</source>
        <translation>Keine TLS-Sitzung</translation>
    </message>
    <message>
        <source>The details show while a TLS connection is up.</source>
        <translation>Die Details stehen hier, solange eine TLS-Verbindung besteht.</translation>
    </message>
    <message>
        <source>TLS is off for this profile (Settings, Connection).</source>
        <translation>TLS ist für dieses Profil aus (Einstellungen, Verbindung).</translation>
    </message>
</context>
<context>
    <name>Tn5250Client</name>
    <message>
        <source>Support report copied</source>
        <translation>Supportbericht kopiert</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Verbindung wird hergestellt</translation>
    </message>
    <message>
        <source>Reconnecting</source>
        <translation>Verbindung wird wiederhergestellt</translation>
    </message>
    <message>
        <source>Waiting to reconnect</source>
        <translation>Wartet auf erneute Verbindung</translation>
    </message>
    <message>
        <source>Negotiating</source>
        <translation>Aushandlung</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Enter a host name first</source>
        <translation>Geben Sie zuerst einen Hostnamen ein</translation>
    </message>
    <message>
        <source>Reconnecting to</source>
        <translation>Erneute Verbindung mit</translation>
    </message>
    <message>
        <source>Connecting to</source>
        <translation>Verbindung mit</translation>
    </message>
    <message>
        <source>%1 %2:%3…</source>
        <translation>%1 %2:%3…</translation>
    </message>
    <message>
        <source>Connection timeout</source>
        <translation>Zeitüberschreitung der Verbindung</translation>
    </message>
    <message>
        <source>No connection was established within 15 seconds</source>
        <translation>Innerhalb von 15 Sekunden kam keine Verbindung zustande</translation>
    </message>
    <message>
        <source>Remote disconnect</source>
        <translation>Von der Gegenseite getrennt</translation>
    </message>
    <message>
        <source>The IBM i host closed the connection</source>
        <translation>Der IBM i-Host hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>Disconnected — %1</source>
        <translation>Getrennt — %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>Remote host closed connection</source>
        <translation>Der entfernte Host hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>DNS / host not found</source>
        <translation>DNS / Host nicht gefunden</translation>
    </message>
    <message>
        <source>Socket access denied</source>
        <translation>Zugriff auf den Socket verweigert</translation>
    </message>
    <message>
        <source>Network unavailable</source>
        <translation>Netzwerk nicht verfügbar</translation>
    </message>
    <message>
        <source>TLS handshake failed</source>
        <translation>TLS-Handshake fehlgeschlagen</translation>
    </message>
    <message>
        <source>Connection lost — reconnecting in %1 s</source>
        <translation>Verbindung verloren — neuer Versuch in %1 s</translation>
    </message>
    <message>
        <source>TLS certificate validation</source>
        <translation>TLS-Zertifikatsprüfung</translation>
    </message>
    <message>
        <source>TLS certificate validation failed</source>
        <translation>TLS-Zertifikatsprüfung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Enter a password before enabling saved password</source>
        <translation>Geben Sie ein Kennwort ein, bevor Sie das Speichern des Kennworts einschalten</translation>
    </message>
    <message>
        <source>Password saved securely for this profile</source>
        <translation>Kennwort für dieses Profil sicher gespeichert</translation>
    </message>
    <message>
        <source>Password not saved for this profile</source>
        <translation>Für dieses Profil ist kein Kennwort gespeichert</translation>
    </message>
    <message>
        <source>Secure credential save failed — %1</source>
        <translation>Sicheres Speichern der Anmeldedaten fehlgeschlagen — %1</translation>
    </message>
    <message>
        <source>Saved login cleared</source>
        <translation>Gespeicherte Anmeldung gelöscht</translation>
    </message>
    <message>
        <source>Saved login is not available while the keyboard is locked</source>
        <translation>Die gespeicherte Anmeldung ist nicht verfügbar, solange die Tastatur gesperrt ist</translation>
    </message>
    <message>
        <source>Save an IBM i user name and password first</source>
        <translation>Speichern Sie zuerst einen IBM i-Benutzernamen und ein Kennwort</translation>
    </message>
    <message>
        <source>This screen does not look like an IBM i sign-on screen</source>
        <translation>Diese Anzeige sieht nicht wie eine IBM i-Anmeldeanzeige aus</translation>
    </message>
    <message>
        <source>Secure credential retrieval failed — %1</source>
        <translation>Sicheres Abrufen der Anmeldedaten fehlgeschlagen — %1</translation>
    </message>
    <message>
        <source>Could not retrieve saved password</source>
        <translation>Das gespeicherte Kennwort konnte nicht abgerufen werden</translation>
    </message>
    <message>
        <source>Could not fill saved sign-on fields</source>
        <translation>Die Anmeldefelder konnten nicht mit der gespeicherten Anmeldung gefüllt werden</translation>
    </message>
    <message>
        <source>Keyboard is locked by IBM i</source>
        <translation>Die Tastatur ist von IBM i gesperrt</translation>
    </message>
    <message>
        <source>Connected — waiting for IBM i</source>
        <translation>Verbunden — warte auf IBM i</translation>
    </message>
    <message>
        <source>Connected — input ready • %1 chars • %2 fields</source>
        <translation>Verbunden — Eingabe bereit • %1 Zeichen • %2 Felder</translation>
    </message>
    <message>
        <source>IBM i requested input, but decoded screen is empty • RX %1</source>
        <translation>IBM i fordert eine Eingabe an, aber die dekodierte Anzeige ist leer • RX %1</translation>
    </message>
    <message>
        <source>Connect before running a macro</source>
        <translation>Stellen Sie eine Verbindung her, bevor Sie ein Makro ausführen</translation>
    </message>
    <message>
        <source>Disconnect before running the display self-test</source>
        <translation>Trennen Sie die Verbindung, bevor Sie den Anzeige-Selbsttest ausführen</translation>
    </message>
    <message>
        <source>5250 self-test — parser/render ready • %1 chars • %2 fields</source>
        <translation>5250-Selbsttest — Parser/Darstellung bereit • %1 Zeichen • %2 Felder</translation>
    </message>
    <message>
        <source>Negotiating TN5250…</source>
        <translation>TN5250 wird ausgehandelt…</translation>
    </message>
    <message>
        <source>Connected — waiting for IBM i display</source>
        <translation>Verbunden — warte auf die Anzeige von IBM i</translation>
    </message>
    <message>
        <source>Type-ahead buffer is full</source>
        <translation>Der Puffer für Vorauseingaben ist voll</translation>
    </message>
    <message>
        <source>Queued input while IBM i is busy</source>
        <translation>Eingabe vorgemerkt, solange IBM i beschäftigt ist</translation>
    </message>
    <message>
        <source>Queued key while IBM i is busy</source>
        <translation>Taste vorgemerkt, solange IBM i beschäftigt ist</translation>
    </message>
    <message>
        <source>Clipboard contains no text to paste</source>
        <translation>Die Zwischenablage enthält keinen Text zum Einfügen</translation>
    </message>
    <message>
        <source>Macro name and sequence are required</source>
        <translation>Makroname und Tastenfolge sind erforderlich</translation>
    </message>
    <message>
        <source>A profile can have up to 12 macros</source>
        <translation>Ein Profil kann höchstens 12 Makros haben</translation>
    </message>
    <message>
        <source>Macro saved</source>
        <translation>Makro gespeichert</translation>
    </message>
    <message>
        <source>Macro deleted</source>
        <translation>Makro gelöscht</translation>
    </message>
    <message>
        <source>Code page changed — reconnect to apply it to the IBM i device</source>
        <translation>Codepage geändert — verbinden Sie sich erneut, damit sie für die IBM i-Einheit gilt</translation>
    </message>
    <message>
        <source>Profile selected: %1</source>
        <translation>Profil gewählt: %1</translation>
    </message>
    <message>
        <source>Profile deleted</source>
        <translation>Profil gelöscht</translation>
    </message>
    <message>
        <source>Could not save Vantorel settings</source>
        <translation>Die Einstellungen von Vantorel konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Screen copied (password fields redacted)</source>
        <translation>Anzeige kopiert (Kennwortfelder unkenntlich gemacht)</translation>
    </message>
    <message>
        <source>Host not reading</source>
        <translation>Host liest nicht</translation>
    </message>
    <message>
        <source>More than %1 MB of the terminal&apos;s output waited unsent</source>
        <translation>Mehr als %1 MB Ausgabe des Terminals warteten ungesendet</translation>
    </message>
    <message>
        <source>Input error — press Reset</source>
        <translation>Eingabefehler – Grundstellung drücken</translation>
    </message>
    <message>
        <source>The host did not start a 5250 session within 15 seconds of connecting</source>
        <translation>Der Host hat innerhalb von 15 Sekunden nach dem Verbindungsaufbau keine 5250-Sitzung begonnen</translation>
    </message>
    <message>
        <source>TLS handshake timeout</source>
        <translation>Zeitüberschreitung beim TLS-Handshake</translation>
    </message>
    <message>
        <source>The server did not answer the TLS handshake within 15 seconds (the port may not be a TLS port)</source>
        <translation>Der Server hat innerhalb von 15 Sekunden nicht auf den TLS-Handshake geantwortet (der Port ist vielleicht kein TLS-Port)</translation>
    </message>
    <message>
        <source>The server did not answer the TLS handshake (the port may not be a TLS port)</source>
        <translation>Der Server hat nicht auf den TLS-Handshake geantwortet (der Port ist vielleicht kein TLS-Port)</translation>
    </message>
    <message>
        <source>Automatic sign-on is off since the host refused the saved login: sign on by hand or save the login again</source>
        <translation>Die automatische Anmeldung ist aus, weil der Host die gespeicherte Anmeldung abgelehnt hat: melden Sie sich von Hand an oder speichern Sie die Anmeldung neu</translation>
    </message>
    <message>
        <source>Automatic sign-on waits until you confirm the host: sign on by hand once</source>
        <translation>Die automatische Anmeldung wartet, bis Sie den Host bestätigen: melden Sie sich einmal von Hand an</translation>
    </message>
    <message>
        <source>Automatic sign-on skipped: the saved login is for %1:%2, not %3:%4</source>
        <translation>Automatische Anmeldung ausgelassen: die gespeicherte Anmeldung gilt für %1:%2, nicht für %3:%4</translation>
    </message>
    <message>
        <source>Automatic sign-on skipped: the connection has no TLS, and signing on without TLS is not allowed</source>
        <translation>Automatische Anmeldung ausgelassen: die Verbindung hat kein TLS, und die Anmeldung ohne TLS ist nicht erlaubt</translation>
    </message>
    <message>
        <source>The saved login has no recorded host yet. Send it to %1:%2?</source>
        <translation>Für die gespeicherte Anmeldung ist noch kein Host vermerkt. An %1:%2 senden?</translation>
    </message>
    <message>
        <source>The saved login is for %1:%2. Send it to %3:%4 instead?</source>
        <translation>Die gespeicherte Anmeldung gilt für %1:%2. Stattdessen an %3:%4 senden?</translation>
    </message>
    <message>
        <source>The saved password could not be deleted — %1</source>
        <translation>Das gespeicherte Kennwort konnte nicht gelöscht werden — %1</translation>
    </message>
    <message>
        <source>Confirm the host before the saved login is sent to it</source>
        <translation>Bestätigen Sie den Host, bevor die gespeicherte Anmeldung an ihn geht</translation>
    </message>
    <message>
        <source>The saved login is for %1:%2; confirm before it is sent to %3:%4</source>
        <translation>Die gespeicherte Anmeldung gilt für %1:%2; bestätigen Sie, bevor sie an %3:%4 geht</translation>
    </message>
</context>
<context>
    <name>harbour-vantorel</name>
    <message>
        <source>Open %1 in the web browser?</source>
        <translation>%1 im Webbrowser öffnen?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Could not open %1: no web browser answered.</source>
        <translation>%1 konnte nicht geöffnet werden: Kein Webbrowser hat geantwortet.</translation>
    </message>
    <message>
        <source>(TLS)</source>
        <translation>(TLS)</translation>
    </message>
    <message>
        <source>Sign on</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Copy screen</source>
        <translation>Anzeige kopieren</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Copy report</source>
        <translation>Bericht kopieren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Disconnect from %1?</source>
        <translation>Verbindung mit %1 trennen?</translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation>Selbsttest</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>Zoom −</source>
        <translation>Zoom −</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Zoom +</source>
        <translation>Zoom +</translation>
    </message>
</context>
<context>
    <name>keys</name>
    <message>
        <source>PA1</source>
        <translation>PA1</translation>
    </message>
    <message>
        <source>PA2</source>
        <translation>PA2</translation>
    </message>
    <message>
        <source>PA3</source>
        <translation>PA3</translation>
    </message>
    <message>
        <source>SysReq</source>
        <translation>S-Abf</translation>
    </message>
    <message>
        <source>Attn</source>
        <translation>Attn</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Anz. löschen</translation>
    </message>
    <message>
        <source>Test Req</source>
        <translation>Testanf.</translation>
    </message>
    <message>
        <source>F1–12</source>
        <translation>F1–12</translation>
    </message>
    <message>
        <source>F13–24</source>
        <translation>F13–24</translation>
    </message>
    <message>
        <source>PA…</source>
        <translation>PA…</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Backtab</source>
        <translation>Rück-Tab</translation>
    </message>
    <message>
        <source>Field Exit</source>
        <translation>Feldende</translation>
    </message>
    <message>
        <source>Field+</source>
        <translation>Feld+</translation>
    </message>
    <message>
        <source>Field−</source>
        <translation>Feld−</translation>
    </message>
    <message>
        <source>Erase EOF</source>
        <translation>Rest löschen</translation>
    </message>
    <message>
        <source>Erase Input</source>
        <translation>Eingaben löschen</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfg</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Pos1</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entf</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Bild ↑</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Bild ↓</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Grundstellung</translation>
    </message>
</context>
<context>
    <name>session</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reconnect now</source>
        <translation>Jetzt neu verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Disconnect from %1?</source>
        <translation>Verbindung mit %1 trennen?</translation>
    </message>
    <message>
        <source>Sign on</source>
        <translation>Anmelden</translation>
    </message>
</context>
</TS>
