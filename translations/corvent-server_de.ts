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
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Leitet die Noten, Instrumente und den Chat von Tamber-Piano-Spielern über TCP-Port 9050 (oder --port) weiter, in Räumen mit je bis zu acht Spielern. Ein Raum entsteht, wenn sein erster Spieler ihn beim Namen betritt, und verschwindet, sobald sein letzter Spieler geht; ein Klavier, das keinen Raum nennt, spielt im Raum „main“, wie jedes Klavier vor den Räumen. In einem Raum bringt der Chat-Befehl „/join NAME“ einen Spieler in einen anderen Raum, und „/rooms“ listet die Räume auf.

Im Fenstermodus (Standard) zeigt es das Fenster von Corvent Server; der Dienst lauscht, sobald Starten gedrückt wird.
Der Headless-Modus (--headless) braucht keine Anzeige: Er lauscht sofort, schreibt die achtzeilige Benutzerliste eines Raums bei jeder Änderung auf die Standardausgabe (bei anderen Räumen als main mit „Room NAME:“ darüber) und endet bei SIGTERM oder SIGINT.

Mit --web PORT stellt es auch das Browser-Klavier bereit: die Lobby unter http://HOST:PORT/, das Klavier eines Raums unter /r/NAME/ (seinen WebSocket unter /r/NAME/ws, für main unter /ws) und die Liste der Räume unter /rooms.json. Spieler im Webbrowser nehmen Plätze in denselben Räumen ein.

Ein Spieler, der schneller sendet als die Raten unten, wird gebremst, nicht getrennt: Der Server liest seine Verbindung später, so geht nichts verloren und die anderen merken nichts. Ein Spieler, dessen Programm nicht mehr liest, wird getrennt, sobald 1 MiB auf ihn wartet und er fünf Sekunden lang nichts abgenommen hat.</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>Auf diesem TCP-Port auf Klaviere lauschen (Standard %1).</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>Wie viele Räume zugleich offen sein dürfen; darüber hinaus wird ein neuer Raum abgelehnt (Standard %1).</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>Auch das Browser-Klavier auf diesem TCP-Port bereitstellen: die Lobby unter /, das Klavier eines Raums unter /r/NAME/ mit seinem WebSocket unter /r/NAME/ws (/ws ist der von main), die Räume unter /rooms.json (Standard: kein Web-Port).</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>Wie viele Verbindungen eine IP-Adresse halten darf, über beide Ports zusammen; weitere erfahren den Grund und werden geschlossen, bevor sie einen Platz einnehmen (Standard %1; 0: keine Grenze).</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>Wie viele Verbindungen der Server insgesamt hält (Standard %1).</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Ein Reverse-Proxy vor dem Web-Port, nach IP-Adresse (für mehrere wiederholen): Seine Verbindungen zählen als die Adresse, die er weiterreicht (X-Forwarded-For oder Forwarded), und werden unter ihr aufgeführt. Diese Header von allen anderen werden ignoriert.</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 erwartet eine ganze Zahl von mindestens %2, nicht „%3“</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy erwartet eine IP-Adresse, nicht „%1“</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port erwartet einen Port von 1 bis 65535, nicht „%1“</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms erwartet eine Zahl von 1 bis 1000000, nicht „%1“</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Auch Debug-Meldungen auf die Standardfehlerausgabe schreiben: was jedes Gerät, jede Datei und jede Verbindung getan hat.</translation>
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
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Hinauswerfen</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n Raum</numerusform>
            <numerusform>%n Räume</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n Raum</numerusform>
            <numerusform>%n Räume</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n Spieler</numerusform>
            <numerusform>%n Spieler</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n Spieler</numerusform>
            <numerusform>%n Spieler</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
