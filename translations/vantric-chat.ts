<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
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
    <name>frmAnti</name>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="18"/>
        <source>Anti-idle message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmAnti.cpp" line="22"/>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
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
        <location filename="../src/ui/frmConnect.cpp" line="68"/>
        <source>Home channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="73"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmConnect.cpp" line="78"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmFlood</name>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="32"/>
        <source>Bytes per unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="33"/>
        <source>Units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="35"/>
        <source>Window in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="37"/>
        <source>Longest line in bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="41"/>
        <source>Protect against flooding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="45"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmFlood.cpp" line="50"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="53"/>
        <source>Chat log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="57"/>
        <source>Users in channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="61"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="65"/>
        <source>Whisper log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="69"/>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="76"/>
        <source>Whisper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/frmMain.cpp" line="80"/>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmScrollback</name>
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
</context>
</TS>
