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
        <source>Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port 9050.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints the eight-line user list to standard output each time it changes, and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano at http://HOST:PORT/: players in a web browser take the same eight seats.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Передаёт ноты, инструменты и чат до восьми игроков Tamber Piano через TCP-порт 9050.

Оконный режим (по умолчанию) показывает окно Corvent Server; сервис начинает принимать подключения после нажатия «Запустить».
Режим без экрана (--headless) не требует дисплея: сразу принимает подключения, при каждом изменении выводит список пользователей из восьми строк на стандартный вывод и завершается по SIGTERM или SIGINT.

С --web ПОРТ он также отдаёт фортепиано для браузера по адресу http://HOST:ПОРТ/: игроки в веб-браузере занимают те же восемь мест.

Игрока, который отправляет быстрее указанных ниже скоростей, замедляют, а не отключают: сервер читает его соединение позже, поэтому ничего не теряется и остальные ничего не замечают. Игрок, чья программа перестала читать, отключается, когда для него ждёт 1 МиБ и он ничего не забирал пять секунд.</translation>
    </message>
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
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>Также отдавать фортепиано для браузера на этом TCP-порту: страницу по адресу / и её WebSocket по /ws (по умолчанию веб-порта нет).</translation>
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
</context>
</TS>
