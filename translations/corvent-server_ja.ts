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
        <source>Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port 9050.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints the eight-line user list to standard output each time it changes, and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano at http://HOST:PORT/: players in a web browser take the same eight seats.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>最大 8 人の Tamber Piano プレイヤーの音符、楽器、チャットを TCP ポート 9050 で中継します。

ウィンドウ モード (既定) では Corvent Server のウィンドウを表示し、[開始] を押すと待ち受けを始めます。
ヘッドレス モード (--headless) はディスプレイを必要とせず、すぐに待ち受けを始め、変化のたびに 8 行のユーザー一覧を標準出力に書き出し、SIGTERM または SIGINT で停止します。

--web ポート を付けると http://HOST:ポート/ でブラウザー ピアノも提供します。Web ブラウザーのプレイヤーも同じ 8 つの席に着きます。

下記のレートより速く送信するプレイヤーは切断されず、速度を落とされます。サーバーはその接続を後で読むので、何も失われず、他のプレイヤーは何も気づきません。プログラムが読み取りをやめたプレイヤーは、1 MiB が待機し、5 秒間何も受け取らなかった時点で切断されます。</translation>
    </message>
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
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>この TCP ポートでブラウザー ピアノも提供します: ページは /、その WebSocket は /ws (既定: Web ポートなし)。</translation>
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
</context>
</TS>
