<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>das Fensterprogramm %1 ist nicht installiert; verwenden Sie --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>%1 kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless ist eine Option von CorventServer selbst</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>Stoppsignale können nicht überwacht werden</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>auf Port %1 kann nicht gelauscht werden: %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>das Browser-Klavier ist unter http://HOST:%1/ erreichbar</translation>
    </message>
</context>
<context>
    <name>ServerOptions</name>
    <message>
        <source>Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port 9050.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints the eight-line user list to standard output each time it changes, and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano at http://HOST:PORT/: players in a web browser take the same eight seats.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Leitet die Noten, Instrumente und den Chat von bis zu acht Tamber-Piano-Spielern über TCP-Port 9050 weiter.

Im Fenstermodus (Standard) zeigt es das Fenster von Corvent Server; der Dienst lauscht, sobald Starten gedrückt wird.
Der Headless-Modus (--headless) braucht keine Anzeige: Er lauscht sofort, schreibt die achtzeilige Benutzerliste bei jeder Änderung auf die Standardausgabe und endet bei SIGTERM oder SIGINT.

Mit --web PORT stellt es auch das Browser-Klavier unter http://HOST:PORT/ bereit: Spieler im Webbrowser nehmen dieselben acht Plätze ein.

Ein Spieler, der schneller sendet als die Raten unten, wird gebremst, nicht getrennt: Der Server liest seine Verbindung später, so geht nichts verloren und die anderen merken nichts. Ein Spieler, dessen Programm nicht mehr liest, wird getrennt, sobald 1 MiB auf ihn wartet und er fünf Sekunden lang nichts abgenommen hat.</translation>
    </message>
    <message>
        <source>notes and instrument changes</source>
        <translation>Noten und Instrumentwechsel</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>Chatzeilen</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>„/name“-Befehle</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>Ohne Fenster laufen: sofort bereitstellen, die Benutzerliste auf die Standardausgabe schreiben, bei SIGTERM oder SIGINT enden.</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>Auch das Browser-Klavier auf diesem TCP-Port bereitstellen: die Seite unter / und ihren WebSocket unter /ws (Standard: kein Web-Port).</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>Auch Seiten dieses Ursprungs (etwa https://piano.example.org) den WebSocket öffnen lassen; für weitere wiederholen, oder * für alle. Der eigene Host der Seite darf es immer, außer wenn auch none angegeben ist (eine Seite, die nur über einen Proxy bereitgestellt wird).</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>Wie viele %1 ein Spieler pro Sekunde senden darf (Standard: %2).</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>Wie viele %1 ein Spieler auf einmal über die Rate hinaus senden darf (Standard: %2).</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 erwartet eine Zahl von mindestens %2, nicht „%3“</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web erwartet einen Port von 1 bis 65535 außer %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin erwartet einen Ursprung wie https://piano.example.org, * oder none, nicht „%1“</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin braucht --web</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>Verbundene Benutzer</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Auf Port %1 kann nicht gelauscht werden: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
</TS>
