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
        <source>Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port 9050.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints the eight-line user list to standard output each time it changes, and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano at http://HOST:PORT/: players in a web browser take the same eight seats.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Retransmite as notas, os instrumentos e o chat de até oito jogadores do Tamber Piano pela porta TCP 9050.

O modo janela (padrão) mostra a janela do Corvent Server; o serviço escuta assim que Iniciar é pressionado.
O modo sem tela (--headless) não precisa de tela: escuta imediatamente, escreve a lista de usuários de oito linhas na saída padrão a cada mudança e para com SIGTERM ou SIGINT.

Com --web PORTA ele também serve o piano do navegador em http://HOST:PORTA/: jogadores em um navegador web ocupam os mesmos oito lugares.

Um jogador que envia mais rápido do que as taxas abaixo é desacelerado, não desconectado: o servidor lê a conexão dele mais tarde, então nada se perde e os outros não percebem nada. Um jogador cujo programa para de ler é desconectado quando 1 MiB está esperando por ele e ele não recebeu nada por cinco segundos.</translation>
    </message>
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
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>Servir também o piano do navegador nesta porta TCP: a página em / e seu WebSocket em /ws (padrão: nenhuma porta web).</translation>
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
</context>
</TS>
