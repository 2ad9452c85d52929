<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>o programa de janela %1 não está instalado; use --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>não é possível iniciar %1: %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argumento inesperado &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless é uma opção do próprio CorventServer</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>não é possível vigiar os sinais de parada</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>não é possível escutar na porta %1: %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>o piano do navegador está em http://HOST:%1/</translation>
    </message>
</context>
<context>
    <name>ServerOptions</name>
    <message>
        <source>notes and instrument changes</source>
        <translation>notas e trocas de instrumento</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>linhas de chat</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>comandos &quot;/name&quot;</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>Executar sem janela: servir imediatamente, escrever a lista de usuários na saída padrão, parar com SIGTERM ou SIGINT.</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>Permitir também que páginas desta origem (como https://piano.example.org) abram o WebSocket; repita para mais, ou * para qualquer uma. O próprio host da página sempre pode, a menos que none também seja informado (uma página servida apenas por um proxy).</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>Número de %1 que um jogador pode enviar por segundo (padrão: %2).</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>Número de %1 que um jogador pode enviar de uma vez, acima da taxa (padrão: %2).</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 espera um número de pelo menos %2, não &quot;%3&quot;</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web espera uma porta de 1 a 65535 diferente de %1, não &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin espera uma origem como https://piano.example.org, * ou none, não &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin precisa de --web</translation>
    </message>
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Retransmite as notas, os instrumentos e o chat dos jogadores do Tamber Piano pela porta TCP 9050 (ou --port), em salas de até oito jogadores cada. Uma sala é criada quando seu primeiro jogador entra nela pelo nome e some quando o último sai; um piano que não indica sala toca na sala &quot;main&quot;, como todo piano anterior às salas. Em uma sala, o comando de chat &quot;/join NOME&quot; leva um jogador para outra sala e &quot;/rooms&quot; lista as salas.

O modo janela (padrão) mostra a janela do Corvent Server; o serviço escuta assim que Iniciar é pressionado.
O modo sem tela (--headless) não precisa de tela: escuta imediatamente, escreve a lista de usuários de oito linhas de uma sala na saída padrão a cada mudança (com &quot;Room NAME:&quot; no topo para salas que não sejam main) e para com SIGTERM ou SIGINT.

Com --web PORTA ele também serve o piano do navegador: o saguão em http://HOST:PORTA/, o piano de uma sala em /r/NAME/ (seu WebSocket em /r/NAME/ws, ou /ws para main) e a lista de salas em /rooms.json. Jogadores em um navegador web ocupam lugares nas mesmas salas.

Um jogador que envia mais rápido do que as taxas abaixo é desacelerado, não desconectado: o servidor lê a conexão dele mais tarde, então nada se perde e os outros não percebem nada. Um jogador cujo programa para de ler é desconectado quando 1 MiB está esperando por ele e ele não recebeu nada por cinco segundos.</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>Escutar pianos nesta porta TCP (padrão %1).</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>Quantas salas podem estar abertas ao mesmo tempo; além disso, uma sala nova é recusada (padrão %1).</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>Servir também o piano do navegador nesta porta TCP: o saguão em /, o piano de uma sala em /r/NAME/ com seu WebSocket em /r/NAME/ws (/ws é o da main), as salas em /rooms.json (padrão: nenhuma porta web).</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>Quantas conexões um endereço IP pode manter, somando as duas portas; as demais são informadas do motivo e fechadas antes de ocupar um lugar (padrão %1; 0: sem limite).</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>Quantas conexões o servidor mantém no total (padrão %1).</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Um proxy reverso na frente da porta web, por endereço IP (repita para mais): as conexões dele contam como o endereço que ele repassa (X-Forwarded-For ou Forwarded) e são listadas com ele. Esses cabeçalhos vindos de qualquer outro são ignorados.</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 espera um número inteiro de pelo menos %2, não &quot;%3&quot;</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy espera um endereço IP, não &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port espera uma porta de 1 a 65535, não &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms espera um número de 1 a 1000000, não &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Escrever também mensagens de depuração na saída de erro padrão: o que cada dispositivo, arquivo e conexão fez.</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>Usuários conectados</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Não é possível escutar na porta %1: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
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
            <numerusform>%n jogador</numerusform>
            <numerusform>%n jogadores</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n jogador</numerusform>
            <numerusform>%n jogadores</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
