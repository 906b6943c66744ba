<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>ChatEvent</name>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="243"/>
        <source>:(Whispered) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="256"/>
        <source> has joined the channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="261"/>
        <source> has left the channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="277"/>
        <source>You are connected to battle.net in channel: %1. With %2 users</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/ui/CommandLine.cpp" line="33"/>
        <source>A desktop client for chat services that speak the plain-text chat gateway protocol.
Without options it opens its main window. Qt&apos;s own options, such as -platform and -style,
are accepted too; see vantric-chat(1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/CommandLine.cpp" line="40"/>
        <source>Displays this help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/CommandLine.cpp" line="64"/>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/CommandLine.cpp" line="101"/>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConnectionNotices</name>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="11"/>
        <source>Reconnecting in %1 seconds…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="17"/>
        <source>Connected again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="22"/>
        <source>Stopped reconnecting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="27"/>
        <source>The server has sent nothing for %1 seconds since the login; the connection is dropped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="37"/>
        <source>The settings could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="45"/>
        <source>Not connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="50"/>
        <source>Not connected, reconnecting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="55"/>
        <source>Not connected: the login failed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="21"/>
        <source>Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="27"/>
        <source>Previous match (Shift+Enter)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="28"/>
        <source>Previous match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="31"/>
        <source>Next match (Enter)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="32"/>
        <source>Next match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="34"/>
        <location filename="../src/ui/FindBar.cpp" line="128"/>
        <source>From the bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="37"/>
        <source>Close (Escape)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="38"/>
        <source>Close find bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="62"/>
        <source>Find in the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="63"/>
        <source>Search the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="128"/>
        <source>From the top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/FindBar.cpp" line="131"/>
        <source>Not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FixedWindow</name>
    <message>
        <location filename="../src/ui/FixedWindow.cpp" line="63"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FloodLimits</name>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="29"/>
        <source>%1 must be a whole number%2 from %3 to %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="43"/>
        <location filename="../src/commands/FloodLimits.cpp" line="46"/>
        <source> of bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="45"/>
        <source> of seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="48"/>
        <source>Bytes per unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="49"/>
        <source>Units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="50"/>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="51"/>
        <source>Longest line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/FloodLimits.cpp" line="63"/>
        <source>With %1 bytes per unit and %2 units, the longest line can be at most %3 bytes: a longer line would cost %2 units or more, and the server would refuse it every time.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogBox</name>
    <message>
        <location filename="../src/ui/LogBox.cpp" line="42"/>
        <source>↓ 1 new line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/LogBox.cpp" line="43"/>
        <source>↓ %1 new lines</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainCaption</name>
    <message>
        <location filename="../src/ui/MainCaption.h" line="9"/>
        <source>Brindlemoor&apos;s Vantric Chat Client</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotificationThrottle</name>
    <message>
        <location filename="../src/ui/NotificationThrottle.cpp" line="23"/>
        <source>
(and %1 more)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="158"/>
        <source>the server&apos;s name could not be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="160"/>
        <source>the server refused the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="162"/>
        <source>the server did not answer in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="164"/>
        <source>the network could not be reached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="166"/>
        <source>the server closed the connection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReceivedText</name>
    <message>
        <location filename="../src/protocol/ReceivedText.cpp" line="155"/>
        <source>A line from the server was longer than %1 KiB and was dropped.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserFlags</name>
    <message>
        <location filename="../src/protocol/UserFlags.cpp" line="20"/>
        <source>administrator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/UserFlags.cpp" line="22"/>
        <source>server operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/UserFlags.cpp" line="24"/>
        <source>channel operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/UserFlags.cpp" line="25"/>
        <source>voice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/UserFlags.cpp" line="66"/>
        <source>squelched</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmAnti</name>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="12"/>
        <source>Anti-Idle options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="14"/>
        <source>Anti-Idle Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="19"/>
        <source>Anti-idle message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="22"/>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="22"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmConnect</name>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="40"/>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="46"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="53"/>
        <source>Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="55"/>
        <source>Username:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="58"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="61"/>
        <source>Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="64"/>
        <source>Home Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="69"/>
        <source>Home channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="33"/>
        <location filename="../src/ui/frmConnect.cpp" line="73"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="35"/>
        <source>Connect options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="73"/>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="73"/>
        <source>C&amp;ancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmConnect_login.cpp" line="47"/>
        <source>Must Enter a Username to Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmConnect_login.cpp" line="51"/>
        <source>Must Enter a Password to Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmConnect_login.cpp" line="57"/>
        <source>Must Enter a Server (host or host:port) to Login</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmFlood</name>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="35"/>
        <source>Flood Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="37"/>
        <source>Bytes per unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="37"/>
        <source>&amp;Bytes per unit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="38"/>
        <source>Units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="38"/>
        <source>&amp;Units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="40"/>
        <source>Window in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="40"/>
        <source>&amp;Window (seconds):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="42"/>
        <source>Longest line in bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="42"/>
        <source>&amp;Longest line (bytes):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="44"/>
        <source>&amp;Protect against flooding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="46"/>
        <source>Protect against flooding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="48"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="48"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="61"/>
        <source>Chat log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="65"/>
        <source>Users in channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="69"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="73"/>
        <source>Whisper log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="75"/>
        <location filename="../src/ui/frmMain.cpp" line="77"/>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="82"/>
        <source>&amp;Whisper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="84"/>
        <source>Whisper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="88"/>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="115"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="116"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="122"/>
        <source>Save Chat Log...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="123"/>
        <source>Open Log Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="125"/>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="114"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="127"/>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="128"/>
        <source>Anti-Idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="130"/>
        <source>Anti-Idle Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="132"/>
        <source>Display Join/Leave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="134"/>
        <source>Reconnect Automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="136"/>
        <source>Timestamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="138"/>
        <source>Notify on Mentions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="140"/>
        <source>Scrollback...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="141"/>
        <source>Flood Protection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="142"/>
        <source>Log to Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="145"/>
        <source>List B.Net Chat Commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="146"/>
        <source>Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="148"/>
        <source>Send Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="149"/>
        <source>Whisper Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="150"/>
        <source>Emote Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="152"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="153"/>
        <location filename="../src/ui/frmMain_help.cpp" line="24"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_help.cpp" line="25"/>
        <source>Brindlemoor&apos;s Vantric Chat Client<byte value="xd"/>
Version 0.01<byte value="xd"/>
This is a simple, not complicated chat client for battle.net</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="154"/>
        <location filename="../src/ui/frmMain_help.cpp" line="32"/>
        <source>Bugs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_help.cpp" line="33"/>
        <source>Heads up: some other chat programs send the lines about their users in a layout this client does not read. When somebody in your channel uses one of them, the lines about that user are skipped instead of shown, so you may miss their talk, or see them missing from the user list. Everything else keeps working.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="155"/>
        <location filename="../src/ui/frmMain_help.cpp" line="42"/>
        <source>Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_help.cpp" line="60"/>
        <source>/join &lt;CHANNEL&gt;<byte value="xd"/>
/whois &lt;NAME&gt;<byte value="xd"/>
/whoami<byte value="xd"/>
/m &lt;USER&gt;<byte value="xd"/>
/ignore &lt;USER&gt;<byte value="xd"/>
/unignore &lt;USER&gt;<byte value="xd"/>
/away &lt;MESSAGE&gt;<byte value="xd"/>
/dnd &lt;MESSAGE&gt;<byte value="xd"/>
/who &lt;CHANNEL&gt;<byte value="xd"/>
/stats &lt;USER&gt; &lt;GAME&gt;<byte value="xd"/>
/users<byte value="xd"/>
/time<byte value="xd"/>
/me &lt;TEXT&gt;<byte value="xd"/>
/ban &lt;USER&gt;<byte value="xd"/>
/kick &lt;USER&gt;<byte value="xd"/>
/unban &lt;USER&gt;<byte value="xd"/>
/designate &lt;USER&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_desktop.cpp" line="25"/>
        <source>Save Chat Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_desktop.cpp" line="109"/>
        <source>Chat Log %1.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_desktop.cpp" line="111"/>
        <source>Text files (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_desktop.cpp" line="119"/>
        <source>Could not save the chat log to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="29"/>
        <source>Not sent: there is no connection to the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="157"/>
        <source>Not sent: the name is too long to whisper to (a line to the server holds at most %1 bytes).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="165"/>
        <source>Not sent: the message cannot be cut into lines without one beginning with &quot;/&quot;, which the server would run as a command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="191"/>
        <source>Not sent: 1 line that was still waiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="193"/>
        <source>Not sent: %1 lines that were still waiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="200"/>
        <source>1 line waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="201"/>
        <source>%1 lines waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="77"/>
        <source>To &lt;%1&gt; %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmMain_lifecycle.cpp" line="33"/>
        <source>Your connect to battle.net has been lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmMain_lifecycle.cpp" line="177"/>
        <source>Could not connect to %1 (port %2): %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_find.cpp" line="49"/>
        <source>whisper log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_find.cpp" line="49"/>
        <source>chat log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_disklog.cpp" line="76"/>
        <source>Could not write the log to disk (%1). Logging to disk is off until Options &gt; Log to Disk is checked again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMenus</name>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="11"/>
        <source>Chat Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="12"/>
        <source>Ban</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="13"/>
        <source>Unban</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="14"/>
        <source>Kick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="16"/>
        <source>Designate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="18"/>
        <source>Squelch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="19"/>
        <source>UnSquelch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="21"/>
        <source>Whois</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="22"/>
        <source>Stats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="23"/>
        <source>Starcraft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="24"/>
        <source>Brood Wars </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="25"/>
        <source>Warcraft2 B.Net</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="27"/>
        <source>B.Net Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="28"/>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMenus.cpp" line="29"/>
        <source>Users</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmScrollback</name>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="16"/>
        <source>Scrollback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="18"/>
        <source>Lines kept in each log (0 keeps every line):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="20"/>
        <source>Lines kept in each log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="25"/>
        <source>Problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="28"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="30"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="58"/>
        <source>Enter a whole number from 0 to %1; 0 keeps every line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmScrollback.cpp" line="61"/>
        <source>&quot;%1&quot; is not a number of lines. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
