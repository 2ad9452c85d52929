<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>оконная программа %1 не установлена; используйте --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>не удаётся запустить %1: %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>неожиданный аргумент «%1»</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless — собственный параметр CorventServer</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>не удаётся отслеживать сигналы остановки</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>не удаётся принимать подключения на порту %1: %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>фортепиано для браузера доступно по адресу http://HOST:%1/</translation>
    </message>
</context>
<context>
    <name>ServerOptions</name>
    <message>
        <source>notes and instrument changes</source>
        <translation>нот и смен инструмента</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>строк чата</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>команд «/name»</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>Работать без окна: сразу начать обслуживание, выводить список пользователей на стандартный вывод, завершаться по SIGTERM или SIGINT.</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>Разрешить открывать WebSocket и страницам с этого источника (например, https://piano.example.org); повторите для других или укажите * для любого. Собственный хост страницы может всегда, если не указано также none (страница, доступная только через прокси).</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>Сколько %1 один игрок может отправить в секунду (по умолчанию %2).</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>Сколько %1 один игрок может отправить за раз сверх скорости (по умолчанию %2).</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 ожидает число не меньше %2, а не «%3»</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web ожидает порт от 1 до 65535, кроме %1, а не «%2»</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin ожидает источник вида https://piano.example.org, * или none, а не «%1»</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin требует --web</translation>
    </message>
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Передаёт ноты, инструменты и чат игроков Tamber Piano через TCP-порт 9050 (или --port), в комнатах до восьми игроков в каждой. Комната появляется, когда в неё по имени входит первый игрок, и исчезает, когда уходит последний; фортепиано, не указавшее комнату, играет в комнате «main», как любое фортепиано до появления комнат. В комнате команда чата «/join ИМЯ» переводит игрока в другую комнату, а «/rooms» выводит список комнат.

Оконный режим (по умолчанию) показывает окно Corvent Server; сервис начинает принимать подключения после нажатия «Запустить».
Режим без экрана (--headless) не требует дисплея: сразу принимает подключения, при каждом изменении выводит список пользователей комнаты из восьми строк на стандартный вывод (для комнат, кроме main, под заголовком «Room NAME:») и завершается по SIGTERM или SIGINT.

С --web ПОРТ он также отдаёт фортепиано для браузера: лобби по адресу http://HOST:ПОРТ/, фортепиано комнаты по /r/NAME/ (его WebSocket по /r/NAME/ws, для main — /ws) и список комнат по /rooms.json. Игроки в веб-браузере занимают места в тех же комнатах.

Игрока, который отправляет быстрее указанных ниже скоростей, замедляют, а не отключают: сервер читает его соединение позже, поэтому ничего не теряется и остальные ничего не замечают. Игрок, чья программа перестала читать, отключается, когда для него ждёт 1 МиБ и он ничего не забирал пять секунд.</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>Принимать подключения фортепиано на этом TCP-порту (по умолчанию %1).</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>Сколько комнат может быть открыто одновременно; сверх этого новая комната отклоняется (по умолчанию %1).</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>Также отдавать фортепиано для браузера на этом TCP-порту: лобби по /, фортепиано комнаты по /r/NAME/ с его WebSocket по /r/NAME/ws (/ws — для main), комнаты по /rooms.json (по умолчанию: без веб-порта).</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>Сколько подключений может держать один IP-адрес на обоих портах вместе; остальным сообщается причина, и они закрываются, прежде чем займут место (по умолчанию %1; 0: без ограничения).</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>Сколько подключений сервер держит всего (по умолчанию %1).</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Обратный прокси перед веб-портом, по IP-адресу (повторите для нескольких): его подключения считаются и показываются как адрес, который он передаёт (X-Forwarded-For или Forwarded). Эти заголовки от всех остальных игнорируются.</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 ожидает целое число не меньше %2, а не «%3»</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy ожидает IP-адрес, а не «%1»</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port ожидает порт от 1 до 65535, а не «%1»</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms ожидает число от 1 до 1000000, а не «%1»</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Также выводить отладочные сообщения в стандартный поток ошибок: что сделало каждое устройство, каждый файл и каждое соединение.</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>Подключённые пользователи</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Запустить</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Не удаётся принимать подключения на порту %1: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Выгнать</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n комната</numerusform>
            <numerusform>%n комнаты</numerusform>
            <numerusform>%n комнат</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n комната</numerusform>
            <numerusform>%n комнаты</numerusform>
            <numerusform>%n комнат</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n игрок</numerusform>
            <numerusform>%n игрока</numerusform>
            <numerusform>%n игроков</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n игрок</numerusform>
            <numerusform>%n игрока</numerusform>
            <numerusform>%n игроков</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
