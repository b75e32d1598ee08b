<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantorel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A 5250 display station for IBM i hosts, over TN5250 with TLS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings schema</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AutomationPage</name>
    <message>
        <source>Automation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect at start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnect after a lost connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tries again after 2, 5, 10, 20, then every 30 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type ahead while the host is busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys typed while the keyboard is locked are sent once it unlocks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the keyboard on connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sessions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask before ending a session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before disconnecting, and before creating, switching or deleting a profile while connected.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfirmPanel</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConnectionPage</name>
    <message>
        <source>The port is a number from 1 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host name or address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encrypted, with the host&apos;s certificate checked. IBM i takes TLS on port 992.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new code page applies from the next connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offer 27 × 132</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lets the host use its wide screen, from the next connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty: the host picks one</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DisplayPage</name>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light grey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1 to F24, PA keys, SysReq, Attn and the other host keys.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection, keyboard lock, insert mode, cursor position, messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key bars switched off come back at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double tap sends Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two taps on the same cell.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tappable F-keys and addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels such as F3=Exit are keys; web addresses open after asking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter, Reset, Tab, Field Exit, arrows, Erase, Copy, Paste and more.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>New macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MacrosPage</name>
    <message>
        <source>Macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A profile can have up to 12 macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pull down to add one: text and keys such as {ENTER} or {F3}, typed into the terminal at a tap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OperatorLine</name>
    <message>
        <source>X SYSTEM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X ERROR</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileNameDialog</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfilesPage</name>
    <message>
        <source>This ends the session with %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to the profile %1? This ends the session with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the profile %1 and switch to the copy? This ends the session with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting, ending the session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No host yet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProtocolLogPage</name>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy support report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The log is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connections and what the host sends are logged here.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No host yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, password saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours, zoom, orientation, bars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting, typing ahead, sessions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No TLS session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the connection did; the support report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <source>The port is a number from 1 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to the profile %1? This ends the session with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new profile? This ends the session with %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate this profile and switch to the copy? This ends the session with %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the profile %1 with its macros and saved password?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offer 27 x 132</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect at start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnect after a lost connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask before ending a session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remember password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type ahead while the host is busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tappable F-keys and addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double tap sends Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the keyboard on connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text is typed as it stands; keys go in braces: {ENTER} {TAB} {F3} {PGDN} {FIELD+} …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on automatically without TLS too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signs on by itself only to %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SignOnPage</name>
    <message>
        <source>Sign-on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password saved; type a new one to change it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remember password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In the phone&apos;s secure store, never in the settings file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fills and sends the host&apos;s sign-on screen once per connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clearing the saved login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At the sign-on screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on automatically without TLS too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without TLS the password crosses the network readable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signs on by itself only to %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TerminalPage</name>
    <message>
        <source>Open %1 in the web browser?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open %1: no web browser answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TerminalScreen</name>
    <message>
        <source>Keyboard is locked by the host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cursor is in a protected area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Character is not valid for this field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cursor is on the sign position of a signed numeric field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert mode: field has no free position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field Exit is only valid in an input field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field- is only valid in a signed numeric field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a mandatory-entry field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mandatory-fill field is not complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase EOF is only valid in an input field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input field is not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input field is protected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved login value is longer than the IBM i input field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved login contains a character invalid for this field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A mandatory-entry field has not been entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A mandatory-fill field is incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Character is not available in EBCDIC code page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved login contains a character unavailable in EBCDIC code page %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TlsPage</name>
    <message>
        <source>TLS details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cipher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Certificate of</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issued by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No TLS session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The details show while a TLS connection is up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS is off for this profile (Settings, Connection).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tn5250Client</name>
    <message>
        <source>Support report copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting to reconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Negotiating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a host name first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnecting to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2:%3…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No connection was established within 15 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The IBM i host closed the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote host closed connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DNS / host not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Socket access denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS handshake failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection lost — reconnecting in %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS certificate validation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS certificate validation failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a password before enabling saved password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password saved securely for this profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password not saved for this profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Secure credential save failed — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved login cleared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved login is not available while the keyboard is locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save an IBM i user name and password first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This screen does not look like an IBM i sign-on screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Secure credential retrieval failed — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not retrieve saved password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not fill saved sign-on fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard is locked by IBM i</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected — waiting for IBM i</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected — input ready • %1 chars • %2 fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IBM i requested input, but decoded screen is empty • RX %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect before running a macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect before running the display self-test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5250 self-test — parser/render ready • %1 chars • %2 fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Negotiating TN5250…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected — waiting for IBM i display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type-ahead buffer is full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queued input while IBM i is busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queued key while IBM i is busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipboard contains no text to paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro name and sequence are required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A profile can have up to 12 macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code page changed — reconnect to apply it to the IBM i device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile selected: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save Vantorel settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen copied (password fields redacted)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host not reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More than %1 MB of the terminal&apos;s output waited unsent</source>
    </message>
    <message>
        <source>Input error — press Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host did not start a 5250 session within 15 seconds of connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS handshake timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer the TLS handshake within 15 seconds (the port may not be a TLS port)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer the TLS handshake (the port may not be a TLS port)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic sign-on is off since the host refused the saved login: sign on by hand or save the login again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic sign-on waits until you confirm the host: sign on by hand once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic sign-on skipped: the saved login is for %1:%2, not %3:%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic sign-on skipped: the connection has no TLS, and signing on without TLS is not allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved login has no recorded host yet. Send it to %1:%2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved login is for %1:%2. Send it to %3:%4 instead?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved password could not be deleted — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm the host before the saved login is sent to it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved login is for %1:%2; confirm before it is sent to %3:%4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>harbour-vantorel</name>
    <message>
        <source>Open %1 in the web browser?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open %1: no web browser answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(TLS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect from %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom −</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom +</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keys</name>
    <message>
        <source>PA1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PA2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PA3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SysReq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Req</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1–12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F13–24</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PA…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backtab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field−</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase EOF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>session</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnect now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect from %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign on</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
