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
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Inoltra le note, gli strumenti e la chat dei giocatori di Tamber Piano sulla porta TCP 9050 (o --port), in stanze di un massimo di otto giocatori ciascuna. Una stanza nasce quando il suo primo giocatore vi entra per nome e scompare quando esce l&apos;ultimo; un pianoforte che non nomina alcuna stanza suona nella stanza «main», come ogni pianoforte prima delle stanze. In una stanza, il comando di chat «/join NOME» porta un giocatore in un&apos;altra stanza e «/rooms» elenca le stanze.

La modalità finestra (predefinita) mostra la finestra di Corvent Server; il servizio resta in ascolto dopo aver premuto Avvia.
La modalità senza display (--headless) non richiede un display: resta subito in ascolto, scrive l&apos;elenco degli utenti di otto righe di una stanza sull&apos;output standard a ogni modifica (preceduto da «Room NAME:» per le stanze diverse da main) e si ferma con SIGTERM o SIGINT.

Con --web PORTA serve anche il pianoforte per browser: la lobby su http://HOST:PORTA/, il pianoforte di una stanza su /r/NAME/ (il suo WebSocket su /r/NAME/ws, o /ws per main) e l&apos;elenco delle stanze su /rooms.json. I giocatori in un browser web occupano posti nelle stesse stanze.

Un giocatore che invia più velocemente dei limiti qui sotto viene rallentato, non disconnesso: il server legge la sua connessione più tardi, così nulla va perso e gli altri non notano nulla. Un giocatore il cui programma smette di leggere viene disconnesso quando 1 MiB è in attesa per lui e non ha prelevato nulla per cinque secondi.</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>Restare in ascolto dei pianoforti su questa porta TCP (predefinita %1).</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>Quante stanze possono essere aperte insieme; oltre, una nuova stanza viene rifiutata (predefinito %1).</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>Servire anche il pianoforte per browser su questa porta TCP: la lobby su /, il pianoforte di una stanza su /r/NAME/ con il suo WebSocket su /r/NAME/ws (/ws è quello di main), le stanze su /rooms.json (predefinito: nessuna porta web).</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>Quante connessioni può tenere un indirizzo IP, sulle due porte insieme; alle altre viene detto il motivo e vengono chiuse prima di occupare un posto (predefinito %1; 0: nessun limite).</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>Quante connessioni tiene il server in tutto (predefinito %1).</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Un proxy inverso davanti alla porta web, per indirizzo IP (ripetere per altri): le sue connessioni contano come l&apos;indirizzo che inoltra (X-Forwarded-For o Forwarded) e sono elencate con esso. Queste intestazioni provenienti da chiunque altro vengono ignorate.</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 richiede un numero intero di almeno %2, non «%3»</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy richiede un indirizzo IP, non «%1»</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port richiede una porta da 1 a 65535, non «%1»</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms richiede un numero da 1 a 1000000, non «%1»</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Scrivere anche i messaggi di debug sullo standard error: che cosa ha fatto ogni dispositivo, file e connessione.</translation>
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
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Espelli</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n stanza</numerusform>
            <numerusform>%n stanze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n stanza</numerusform>
            <numerusform>%n stanze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n giocatore</numerusform>
            <numerusform>%n giocatori</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n giocatore</numerusform>
            <numerusform>%n giocatori</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
