<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>ウィンドウ プログラム %1 がインストールされていません。--headless を使ってください</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>%1 を起動できません: %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>予期しない引数「%1」</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless は CorventServer 自身のオプションです</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>停止シグナルを監視できません</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>ポート %1 で待ち受けできません: %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>ブラウザー ピアノは http://HOST:%1/ にあります</translation>
    </message>
</context>
<context>
    <name>ServerOptions</name>
    <message>
        <source>notes and instrument changes</source>
        <translation>音符と楽器の変更</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>チャット行</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>&quot;/name&quot; コマンド</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>ウィンドウなしで実行: すぐにサービスを開始し、ユーザー一覧を標準出力に書き出し、SIGTERM または SIGINT で停止します。</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>このオリジン (例: https://piano.example.org) のページにも WebSocket を開くことを許可します。複数指定するには繰り返し、すべて許可するには * を指定します。ページ自身のホストは常に許可されますが、none も指定した場合は除きます (プロキシ経由でのみ提供されるページ)。</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>1 人のプレイヤーが 1 秒間に送信できる%1の数 (既定: %2)。</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>1 人のプレイヤーがレートを超えて一度に送信できる%1の数 (既定: %2)。</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 には %2 以上の数値が必要です (「%3」ではありません)</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web には %1 以外の 1～65535 のポートが必要です (「%2」ではありません)</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin には https://piano.example.org のようなオリジン、* または none が必要です (「%1」ではありません)</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin には --web が必要です</translation>
    </message>
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Tamber Piano プレイヤーの音符、楽器、チャットを TCP ポート 9050 (または --port) で中継します。プレイヤーは 1 ルーム最大 8 人です。ルームは最初のプレイヤーが名前を指定して参加したときに作られ、最後のプレイヤーが去ると消えます。ルームを指定しないピアノは、ルームができる前のすべてのピアノと同じく、ルーム「main」で演奏します。ルーム内では、チャット コマンド「/join NAME」でプレイヤーが別のルームへ移り、「/rooms」でルームの一覧を表示します。

ウィンドウ モード (既定) では Corvent Server のウィンドウを表示し、[開始] を押すと待ち受けを始めます。
ヘッドレス モード (--headless) はディスプレイを必要とせず、すぐに待ち受けを始め、変化のたびにルームの 8 行のユーザー一覧を標準出力に書き出し (main 以外のルームでは先頭に「Room NAME:」が付きます)、SIGTERM または SIGINT で停止します。

--web ポート を付けるとブラウザー ピアノも提供します。ロビーは http://HOST:ポート/、ルームのピアノは /r/NAME/ (その WebSocket は /r/NAME/ws、main は /ws)、ルームの一覧は /rooms.json です。Web ブラウザーのプレイヤーも同じルームの席に着きます。

下記のレートより速く送信するプレイヤーは切断されず、速度を落とされます。サーバーはその接続を後で読むので、何も失われず、他のプレイヤーは何も気づきません。プログラムが読み取りをやめたプレイヤーは、1 MiB が待機し、5 秒間何も受け取らなかった時点で切断されます。</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>この TCP ポートでピアノからの接続を待ち受けます (既定 %1)。</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>同時に開けるルームの数。これを超える新しいルームは拒否されます (既定 %1)。</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>この TCP ポートでブラウザー ピアノも提供します。ロビーは /、ルームのピアノは /r/NAME/ でその WebSocket は /r/NAME/ws (/ws は main 用)、ルーム一覧は /rooms.json です (既定: Web ポートなし)。</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>1 つの IP アドレスが両方のポート合わせて保持できる接続数。超えた接続には理由を伝え、席に着く前に閉じます (既定 %1、0: 制限なし)。</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>サーバーが保持する接続の総数 (既定 %1)。</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Web ポートの前に置くリバース プロキシの IP アドレス (複数なら繰り返し指定)。その接続は転送元のアドレス (X-Forwarded-For または Forwarded) として数えられ、一覧にも表示されます。ほかの相手からのこれらのヘッダーは無視されます。</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 には %2 以上の整数が必要です (「%3」ではありません)</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy には IP アドレスが必要です (「%1」ではありません)</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port には 1 から 65535 までのポートが必要です (「%1」ではありません)</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms には 1 から 1000000 までの数値が必要です (「%1」ではありません)</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>デバッグ メッセージも標準エラー出力に書き出します: 各デバイス、ファイル、接続が何をしたか。</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>接続中のユーザー</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>ポート %1 で待ち受けできません: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>キック(&amp;K)</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n ルーム</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n ルーム</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n 人</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n 人</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1、%2</translation>
    </message>
</context>
</TS>
