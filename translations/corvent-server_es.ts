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
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Retransmite las notas, los instrumentos y el chat de los jugadores de Tamber Piano por el puerto TCP 9050 (o --port), en salas de hasta ocho jugadores cada una. Una sala se crea cuando su primer jugador entra en ella por su nombre y desaparece cuando sale el último; un piano que no nombra ninguna sala toca en la sala «main», como todos los pianos anteriores a las salas. En una sala, el comando de chat «/join NOMBRE» lleva a un jugador a otra sala y «/rooms» lista las salas.

El modo ventana (predeterminado) muestra la ventana de Corvent Server; el servicio escucha al pulsar Iniciar.
El modo sin pantalla (--headless) no necesita pantalla: escucha enseguida, escribe la lista de usuarios de ocho líneas de una sala en la salida estándar cada vez que cambia (encabezada por «Room NAME:» en las salas que no son main) y se detiene con SIGTERM o SIGINT.

Con --web PUERTO también sirve el piano del navegador: el vestíbulo en http://HOST:PUERTO/, el piano de una sala en /r/NAME/ (su WebSocket en /r/NAME/ws, o /ws para main) y la lista de salas en /rooms.json. Los jugadores en un navegador web ocupan puestos en las mismas salas.

Un jugador que envía más rápido que los ritmos de abajo se ralentiza, no se desconecta: el servidor lee su conexión más tarde, así que no se pierde nada y los demás no notan nada. Un jugador cuyo programa deja de leer se desconecta cuando le espera 1 MiB y no ha recogido nada durante cinco segundos.</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>Escuchar pianos en este puerto TCP (predeterminado %1).</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>Cuántas salas puede haber abiertas a la vez; por encima, se rechaza una sala nueva (predeterminado %1).</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>Servir también el piano del navegador en este puerto TCP: el vestíbulo en /, el piano de una sala en /r/NAME/ con su WebSocket en /r/NAME/ws (/ws es el de main), las salas en /rooms.json (predeterminado: sin puerto web).</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>Cuántas conexiones puede mantener una dirección IP, sumando ambos puertos; a las demás se les dice por qué y se cierran antes de ocupar un puesto (predeterminado %1; 0: sin límite).</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>Cuántas conexiones mantiene el servidor en total (predeterminado %1).</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Un proxy inverso delante del puerto web, por dirección IP (repítalo para más): sus conexiones cuentan como la dirección que reenvía (X-Forwarded-For o Forwarded) y se listan con ella. Esas cabeceras se ignoran si vienen de cualquier otro.</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 espera un número entero de al menos %2, no «%3»</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy espera una dirección IP, no «%1»</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port espera un puerto de 1 a 65535, no «%1»</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms espera un número de 1 a 1000000, no «%1»</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Escribir también los mensajes de depuración en la salida de error estándar: qué hizo cada dispositivo, archivo y conexión.</translation>
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
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Expulsar</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n sala</numerusform>
            <numerusform>%n salas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n sala</numerusform>
            <numerusform>%n salas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n jugador</numerusform>
            <numerusform>%n jugadores</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n jugador</numerusform>
            <numerusform>%n jugadores</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
