<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>il programma della finestra %1 non è installato; usare --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>impossibile avviare %1: %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argomento inatteso «%1»</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless è un&apos;opzione di CorventServer stesso</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>impossibile controllare i segnali di arresto</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>impossibile restare in ascolto sulla porta %1: %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>il pianoforte per browser è su http://HOST:%1/</translation>
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
        <translation>Inoltra le note, gli strumenti e la chat di un massimo di otto giocatori di Tamber Piano sulla porta TCP 9050.

La modalità finestra (predefinita) mostra la finestra di Corvent Server; il servizio resta in ascolto dopo aver premuto Avvia.
La modalità senza display (--headless) non richiede un display: resta subito in ascolto, scrive l&apos;elenco degli utenti di otto righe sull&apos;output standard a ogni modifica e si ferma con SIGTERM o SIGINT.

Con --web PORTA serve anche il pianoforte per browser su http://HOST:PORTA/: i giocatori in un browser web occupano gli stessi otto posti.

Un giocatore che invia più velocemente dei limiti qui sotto viene rallentato, non disconnesso: il server legge la sua connessione più tardi, così nulla va perso e gli altri non notano nulla. Un giocatore il cui programma smette di leggere viene disconnesso quando 1 MiB è in attesa per lui e non ha prelevato nulla per cinque secondi.</translation>
    </message>
    <message>
        <source>notes and instrument changes</source>
        <translation>note e cambi di strumento</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>righe di chat</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>comandi «/name»</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>Funzionare senza finestra: servire subito, scrivere l&apos;elenco degli utenti sull&apos;output standard, fermarsi con SIGTERM o SIGINT.</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>Servire anche il pianoforte per browser su questa porta TCP: la pagina su / e il suo WebSocket su /ws (predefinito: nessuna porta web).</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>Consentire anche alle pagine di questa origine (come https://piano.example.org) di aprire il WebSocket; ripetere per aggiungerne altre, o * per tutte. L&apos;host stesso della pagina può sempre farlo, a meno che non sia indicato anche none (una pagina servita solo tramite un proxy).</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>Numero di %1 che un giocatore può inviare al secondo (predefinito: %2).</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>Numero di %1 che un giocatore può inviare in una volta, oltre il limite (predefinito: %2).</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 richiede un numero di almeno %2, non «%3»</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web richiede una porta da 1 a 65535 diversa da %1, non «%2»</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin richiede un&apos;origine come https://piano.example.org, * o none, non «%1»</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin richiede --web</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>Utenti connessi</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Avvia</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Impossibile restare in ascolto sulla porta %1: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
</context>
</TS>
