<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>el programa de ventana %1 no está instalado; use --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>no se puede iniciar %1: %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argumento inesperado «%1»</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless es una opción propia de CorventServer</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>no se pueden vigilar las señales de parada</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>no se puede escuchar en el puerto %1: %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>el piano del navegador está en http://HOST:%1/</translation>
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
        <translation>Retransmite las notas, los instrumentos y el chat de hasta ocho jugadores de Tamber Piano por el puerto TCP 9050.

El modo ventana (predeterminado) muestra la ventana de Corvent Server; el servicio escucha al pulsar Iniciar.
El modo sin pantalla (--headless) no necesita pantalla: escucha enseguida, escribe la lista de usuarios de ocho líneas en la salida estándar cada vez que cambia y se detiene con SIGTERM o SIGINT.

Con --web PUERTO también sirve el piano del navegador en http://HOST:PUERTO/: los jugadores en un navegador web ocupan los mismos ocho puestos.

Un jugador que envía más rápido que los ritmos de abajo se ralentiza, no se desconecta: el servidor lee su conexión más tarde, así que no se pierde nada y los demás no notan nada. Un jugador cuyo programa deja de leer se desconecta cuando le espera 1 MiB y no ha recogido nada durante cinco segundos.</translation>
    </message>
    <message>
        <source>notes and instrument changes</source>
        <translation>notas y cambios de instrumento</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>líneas de chat</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>órdenes «/name»</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>Funcionar sin ventana: servir enseguida, escribir la lista de usuarios en la salida estándar, detenerse con SIGTERM o SIGINT.</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>Servir también el piano del navegador en este puerto TCP: la página en / y su WebSocket en /ws (predeterminado: sin puerto web).</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>Permitir también que las páginas de este origen (como https://piano.example.org) abran el WebSocket; repetir para más, o * para cualquiera. El propio host de la página siempre puede, salvo que también se indique none (una página servida solo a través de un proxy).</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>Número de %1 que un jugador puede enviar por segundo (predeterminado: %2).</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>Número de %1 que un jugador puede enviar de golpe, por encima del ritmo (predeterminado: %2).</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 espera un número de al menos %2, no «%3»</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web espera un puerto de 1 a 65535 distinto de %1, no «%2»</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin espera un origen como https://piano.example.org, * o none, no «%1»</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin necesita --web</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>Usuarios conectados</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>No se puede escuchar en el puerto %1: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
</TS>
