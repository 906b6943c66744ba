<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>ChatEvent</name>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="214"/>
        <source>:(Whispered) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="227"/>
        <source> has joined the channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="232"/>
        <source> has left the channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/protocol/ChatEvent.cpp" line="248"/>
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
        <location filename="../src/connection/ConnectionNotices.cpp" line="13"/>
        <source> Last channel: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="20"/>
        <source>Reconnecting in %1 seconds…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="26"/>
        <source>Connected again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="31"/>
        <source>Stopped reconnecting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="36"/>
        <source>The server has sent nothing for %1 seconds since the login; the connection is dropped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="46"/>
        <source>The settings could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="54"/>
        <source>Not connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/ConnectionNotices.cpp" line="61"/>
        <source>Not connected, reconnecting…</source>
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
        <location filename="../src/ui/LogBox.cpp" line="38"/>
        <source>↓ 1 new line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/LogBox.cpp" line="39"/>
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
    <name>QObject</name>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="166"/>
        <source>the server&apos;s name could not be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="168"/>
        <source>the server refused the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="170"/>
        <source>the server did not answer in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="172"/>
        <source>the network could not be reached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ChatSocket.cpp" line="174"/>
        <source>the server closed the connection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReceivedText</name>
    <message>
        <location filename="../src/protocol/ReceivedText.cpp" line="107"/>
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
        <location filename="../src/ui/frmAnti.cpp" line="11"/>
        <source>Anti-Idle options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="13"/>
        <source>Anti-Idle Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="18"/>
        <source>Anti-idle message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="20"/>
        <location filename="../src/ui/frmAnti.cpp" line="22"/>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="25"/>
        <location filename="../src/ui/frmAnti.cpp" line="27"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmConnect</name>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="39"/>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="45"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="52"/>
        <source>Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="54"/>
        <source>Username:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="57"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="60"/>
        <source>Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="63"/>
        <source>Home Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="68"/>
        <source>Home channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="32"/>
        <location filename="../src/ui/frmConnect.cpp" line="73"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="34"/>
        <source>Connect options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="71"/>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="76"/>
        <source>C&amp;ancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="78"/>
        <source>Cancel</source>
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
        <location filename="../src/ui/frmFlood.cpp" line="34"/>
        <source>Flood Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="36"/>
        <source>Bytes per unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="36"/>
        <source>&amp;Bytes per unit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="37"/>
        <source>Units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="37"/>
        <source>&amp;Units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="39"/>
        <source>Window in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="39"/>
        <source>&amp;Window (seconds):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="41"/>
        <source>Longest line in bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="41"/>
        <source>&amp;Longest line (bytes):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="43"/>
        <source>&amp;Protect against flooding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="45"/>
        <source>Protect against flooding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="47"/>
        <location filename="../src/ui/frmFlood.cpp" line="49"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="52"/>
        <location filename="../src/ui/frmFlood.cpp" line="54"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="59"/>
        <source>Chat log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="63"/>
        <source>Users in channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="67"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="71"/>
        <source>Whisper log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="73"/>
        <location filename="../src/ui/frmMain.cpp" line="75"/>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="80"/>
        <source>&amp;Whisper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="82"/>
        <source>Whisper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="86"/>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="127"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="128"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="134"/>
        <source>Save Chat Log...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="135"/>
        <source>Open Log Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="137"/>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="126"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="139"/>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="140"/>
        <source>Anti-Idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="142"/>
        <source>Anti-Idle Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="144"/>
        <source>Display Join/Leave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="146"/>
        <source>Reconnect Automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="148"/>
        <source>Timestamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="150"/>
        <source>Scrollback...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="151"/>
        <source>Flood Protection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="152"/>
        <source>Log to Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="155"/>
        <source>List B.Net Chat Commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="156"/>
        <source>Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="158"/>
        <source>Send Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="159"/>
        <source>Whisper Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="160"/>
        <source>Emote Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="162"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="163"/>
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
        <location filename="../src/ui/frmMain.cpp" line="164"/>
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
        <location filename="../src/ui/frmMain.cpp" line="165"/>
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
        <location filename="../src/ui/frmMain_desktop.cpp" line="96"/>
        <source>Chat Log %1.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_desktop.cpp" line="98"/>
        <source>Text files (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_desktop.cpp" line="106"/>
        <source>Could not save the chat log to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="25"/>
        <source>Not sent: there is no connection to the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="131"/>
        <source>Not sent: 1 line that was still waiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="133"/>
        <source>Not sent: %1 lines that were still waiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="139"/>
        <source>1 line waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="140"/>
        <source>%1 lines waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commands/frmMain_send.cpp" line="73"/>
        <source>To &lt;%1&gt; %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmMain_lifecycle.cpp" line="30"/>
        <source>Your connect to battle.net has been lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/connection/frmMain_lifecycle.cpp" line="125"/>
        <source>Could not connect to %1 (port %2): %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain_disklog.cpp" line="79"/>
        <source>Could not write the log to disk (%1). Logging to disk is off until Options &gt; Log to Disk is checked again.</source>
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
