<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(なし)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>ファイルは読み取り専用です。</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>録音「%1」を開けませんでした: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>「%1」は Tamber Piano の録音ではありません。</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>録音「%1」には %2 個を超えるイベントがあります。</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>MIDI ファイル「%1」を書き込めませんでした: %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>トラック %1 が途中で切れています: バイト %2 のイベントがトラックの終わりを越えています。</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>MIDI ファイルではありません (「MThd」で始まっていません)。</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>ヘッダーの長さが %1 バイトです。少なくとも 6 バイト必要です。</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>ヘッダーが示す長さ %1 バイトは、ファイルの大きさを超えています。</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>フォーマット 2 のファイル (独立した複数の曲) で、対応していません。</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>フォーマット番号 %1 は MIDI ファイルのフォーマットではありません。</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>フォーマット 0 のファイルのトラックは 1 つですが、このファイルは %1 と宣言しています。</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>ヘッダーはトラック数を %1 と宣言していますが、ファイルにはそれだけ入りません。</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>時間分解能 0x%1 が無効です。</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>ファイルは %2 トラックのうち %1 トラックで終わっています。</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>トラック %2 があるはずのバイト %1 でチャンクが始まっていません。それより前のチャンクの長さが誤っています。</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>バイト %1 のチャンクは %2 バイトあるとしていますが、ファイルの残りは %3 バイトしかありません。</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>トラック %1 のバイト %2 に、4 バイトを超える可変長数値があります。</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>トラック %1 のバイト %2 に、前にステータス バイトのないデータ バイトがあります。</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>トラック %1 のバイト %3 にあるテンポ イベントは %2 バイトです。テンポは 3 バイトです。</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>トラック %1 のバイト %3 に、MIDI ファイルに含められないステータス バイト 0x%2 があります。</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>トラック %1 のバイト %2 に、データ バイトのないチャンネル メッセージがあります。</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>ファイルの大きさが %1 バイトあります。%2 MiB を超える MIDI ファイルは読み込みません。</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>コンピューターのキーボードや MIDI キーボードでピアノを弾きます。ひとりでも、Corvent Server を通じてほかの最大 7 人と一緒にでも演奏できます。</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>後に IN.tbr OUT.mid を続けて指定: 録音 IN.tbr をスタンダード MIDI ファイル OUT.mid として書き出して終了します。ウィンドウは開かず、音も出しません。</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi には録音と MIDI ファイルを指定してください: --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>予期しない引数「%1」です。</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>MIDI 出力デバイスを開けませんでした。デバイスが使用中でないことを確認するか、[オプション] メニューで別のデバイスを選択してください。</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>MIDI 入力デバイスを開けませんでした。デバイスが使用中でないことを確認するか、[オプション] メニューで別のデバイスを選択してください。</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>MIDI 入力デバイスを開始できませんでした。デバイスが使用中でないことを確認するか、[オプション] メニューで別のデバイスを選択してください。</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano は選択した出力デバイスを開けませんでした。他のアプリケーションがデバイスを使用していないことを確認して、もう一度お試しください。</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano は選択した入力デバイスを開けませんでした。他のアプリケーションがデバイスを使用していないことを確認して、もう一度お試しください。</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano は選択した入力デバイスを開始できませんでした。他のアプリケーションがデバイスを使用していないことを確認して、もう一度お試しください。</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>ルーム名は 1～24 文字の英字、数字、- または _ です。</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>サーバーのアドレスを入力してください (例: 192.168.1.20、piano.example.org:9051、piano.example.org/jazz)。</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>アドレスにホストがありません。ポートやルームの前にサーバーの名前または IP アドレスを書いてください (例: piano.example.org:9051/jazz)。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>「%1」はホスト名でも IP アドレスでもありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>「%1」はアドレスではありません。IPv6 アドレスは [::1] や [::1]:9051/jazz のように角かっこで囲みます。</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>コロンの後にポートがありません。ポートは 1～65535 の数値です。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>「%1」はポートではありません。ポートは 1～65535 の数値です。</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>スラッシュの後にルームがありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>「%1」はルーム名ではありません。</translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>このコンピューターに MIDI 出力デバイスが見つからないため、Tamber Piano を実行できません。</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>致命的なエラー</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>ようこそ</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>有効なキーマップ ファイルではありません。</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>無効なファイル</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>キーマップ ファイル「%1」を開けませんでした: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>このキーマップは Tamber Piano v%1.x.x 用に作られています。このバージョンの Tamber Piano では動作しません。</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>このキーマップは Tamber Piano v%1.%2.x 用に作られています。このバージョンの Tamber Piano では正しく動作しない可能性があります。</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>警告: このキーマップに無効な値が見つかりました。</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>キーマップを「%1」に保存できませんでした: %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>キーマップを保存しました!</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>録音を「%1」に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>Tamber Piano はサーバーに接続できませんでした!</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>空いている席ができる前にサーバーが接続を閉じました。セッションが満員の可能性があります。しばらくしてからもう一度お試しください。</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>録音「%1」を開けませんでした: %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>録音「%1」を再生できません: %2 個を超えるイベントがあります。</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>MIDI ファイル「%1」を開けませんでした: %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>MIDI ファイル「%1」を再生できません: %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>Tamber Piano へようこそ!</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>コンピューターのキーボードのキーを押して演奏を始めましょう。</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>警告: このキーマップにさらに %n 個の無効な値が見つかり、スキップしました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>警告: このキーマップにさらに %n 個の無効な値が見つかり、スキップしました。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>このファイルは読み取りしかできません。</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>録音</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>ファイル: なし</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>ファイル: %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>新しい録音</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Tamber Piano の録音 (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>録音を開く</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>録音 (*.tbr);;MIDI ファイル (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>MIDI ファイルにエクスポート</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>MIDI ファイル (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>このサーバーのルームは 1 つだけです。</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>ホストの IP アドレスを入力してください:</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>ファイル名が指定されていません。</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>これはファイルではなくフォルダーです。</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>ファイルが存在しません。</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
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
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>すべて選択(&amp;A)</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - キー設定</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>キーマップを保存</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>キーマップを読込</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>設定する音符を選んでください...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>この音符に割り当てるキーを押してください...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Tamber Piano キーマップ (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>Tamber Piano について</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>コンピューターのキーボードでピアノを弾きましょう。ひとりでも、みんなでも。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tamber::frmChat</name>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>ロック中</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>キック(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>1 時間追放(&amp;B)</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>オーナーにする(&amp;O)</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (オーナー)</translation>
    </message>
</context>
<context>
    <name>tamber::frmPiano</name>
    <message>
        <source>Instrument</source>
        <translation>楽器</translation>
    </message>
    <message>
        <source>Base Octave</source>
        <translation>基準オクターブ</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>録音</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>録音</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>ファイル: なし</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>新規(&amp;N)...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>MIDI ファイルにエクスポート(&amp;E)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>キー設定(&amp;K)...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>メトロノーム(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>出力デバイス(&amp;O)</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(PC スピーカー)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>入力デバイス(&amp;I)</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>Corvent(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>セッションに参加(&amp;J)...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>バージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>System</source>
        <translation>システムの言語</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>次回の起動時に反映されます</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>これは音符です。</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>ランダム メッセージ</translation>
    </message>
</context>
</TS>
