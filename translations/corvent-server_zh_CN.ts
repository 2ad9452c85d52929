<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>未安装窗口程序 %1；请使用 --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>无法启动 %1：%2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>意外的参数“%1”</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless 是 CorventServer 自己的选项</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>无法监视停止信号</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>无法在端口 %1 上监听：%2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>浏览器钢琴位于 http://HOST:%1/</translation>
    </message>
</context>
<context>
    <name>ServerOptions</name>
    <message>
        <source>notes and instrument changes</source>
        <translation>音符和乐器切换</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>聊天行</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>“/name”命令</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>不带窗口运行：立即开始服务，将用户列表写到标准输出，收到 SIGTERM 或 SIGINT 时停止。</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>同时允许来自此源（如 https://piano.example.org）的页面打开 WebSocket；可重复指定多个，或用 * 表示任意源。页面自身的主机始终允许，除非同时指定了 none（仅通过代理提供的页面）。</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>每位玩家每秒可发送的%1数量（默认：%2）。</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>每位玩家在速率之外一次可发送的%1数量（默认：%2）。</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 需要一个至少为 %2 的数字，而不是“%3”</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web 需要 1 到 65535 之间且不是 %1 的端口，而不是“%2”</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin 需要形如 https://piano.example.org 的源、* 或 none，而不是“%1”</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin 需要 --web</translation>
    </message>
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>在 TCP 端口 9050（或 --port 指定的端口）上为 Tamber Piano 玩家中继音符、乐器和聊天，每个房间最多八位玩家。房间在第一位玩家按名称加入时创建，在最后一位玩家离开后消失；未指定房间的钢琴在房间“main”中演奏，与有房间之前的所有钢琴一样。在房间中，聊天命令“/join NAME”可将玩家移到另一个房间，“/rooms”列出所有房间。

窗口模式（默认）显示 Corvent Server 窗口；按下“启动”后服务开始监听。
无界面模式（--headless）无需显示器：立即开始监听，每次变化时将房间的八行用户列表写到标准输出（main 以外的房间以“Room NAME:”开头），收到 SIGTERM 或 SIGINT 时停止。

使用 --web 端口 时，它还提供浏览器钢琴：大厅位于 http://HOST:端口/，房间的钢琴位于 /r/NAME/（其 WebSocket 位于 /r/NAME/ws，main 的为 /ws），房间列表位于 /rooms.json。网页浏览器中的玩家在同样的房间中就座。

发送速度超过下列速率的玩家会被放慢，而不会被断开：服务器稍后再读取其连接，因此不会丢失任何内容，其他人也察觉不到。程序停止读取的玩家，在有 1 MiB 数据等待且五秒内未取走任何数据时会被断开。</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>在此 TCP 端口上监听钢琴（默认 %1）。</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>同时可开放的房间数；超过后新房间将被拒绝（默认 %1）。</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>同时在此 TCP 端口上提供浏览器钢琴：大厅位于 /，房间的钢琴位于 /r/NAME/，其 WebSocket 位于 /r/NAME/ws（/ws 属于 main），房间列表位于 /rooms.json（默认：无 Web 端口）。</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>一个 IP 地址在两个端口上合计可保持的连接数；超出的连接会被告知原因，并在就座前关闭（默认 %1；0：不限）。</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>服务器总共保持的连接数（默认 %1）。</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Web 端口前的反向代理，按 IP 地址指定（多个时重复）：它的连接按其转发的地址（X-Forwarded-For 或 Forwarded）计数和列出。来自其他任何人的这些标头将被忽略。</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 需要一个至少为 %2 的整数，而不是“%3”</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy 需要一个 IP 地址，而不是“%1”</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port 需要一个 1 到 65535 之间的端口，而不是“%1”</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms 需要一个 1 到 1000000 之间的数字，而不是“%1”</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>同时向标准错误输出打印调试信息：每个设备、文件和连接做了什么。</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>已连接的用户</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>无法在端口 %1 上监听：%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>踢出(&amp;K)</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n 个房间</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n 个房间</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n 位玩家</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n 位玩家</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1，%2</translation>
    </message>
</context>
</TS>
