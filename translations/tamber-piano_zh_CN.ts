<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(无)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>该文件为只读。</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>无法打开录音“%1”：%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>“%1”不是 Tamber Piano 录音。</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>录音“%1”包含超过 %2 个事件。</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>无法写入 MIDI 文件“%1”：%2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>音轨 %1 被截断：位于字节 %2 的事件超出了音轨末尾。</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>这不是 MIDI 文件：它不是以“MThd”开头的。</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>文件头长 %1 字节；至少应为 6 字节。</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>文件头声明了 %1 字节，超过了文件的实际大小。</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>这是格式 2 的文件（多首独立乐曲），不受支持。</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>格式编号 %1 不是任何 MIDI 文件格式。</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>格式 0 的文件只有一条音轨；此文件却声明了 %1 条。</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>文件头声明了 %1 条音轨，超过了文件所能容纳的数量。</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>时间划分 0x%1 无效。</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>文件只包含其 %2 条音轨中的 %1 条就结束了。</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>在本应是音轨 %2 的字节 %1 处没有数据块开始；之前的某个数据块长度有误。</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>位于字节 %1 的数据块声明有 %2 字节，但文件只剩 %3 字节。</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>音轨 %1 在字节 %2 处有一个超过四个字节的可变长度数值。</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>音轨 %1 在字节 %2 处有一个数据字节，其前面没有状态字节。</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>音轨 %1 在字节 %3 处的速度事件长 %2 字节；速度事件应为 3 字节。</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>音轨 %1 在字节 %3 处有状态字节 0x%2，MIDI 文件中不允许出现该字节。</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>音轨 %1 在字节 %2 处有一条缺少数据字节的通道消息。</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>文件大小为 %1 字节；超过 %2 MiB 的 MIDI 文件不会被读取。</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>用电脑键盘或 MIDI 键盘弹钢琴，可以独奏，也可以通过 Corvent Server 与最多七位其他弹奏者一起演奏。</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>后接 IN.tbr OUT.mid：将录音 IN.tbr 写为标准 MIDI 文件 OUT.mid 后退出，不打开窗口，也不发声。</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi 需要一个录音和一个 MIDI 文件：--export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>意外的参数“%1”。</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>无法打开 MIDI 输出设备。请确认它没有被占用，或在“选项”菜单中选择其他设备。</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>无法打开 MIDI 输入设备。请确认它没有被占用，或在“选项”菜单中选择其他设备。</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>无法启动 MIDI 输入设备。请确认它没有被占用，或在“选项”菜单中选择其他设备。</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano 无法打开所选的输出设备。请确认没有其他应用程序正在使用该设备，然后重试。</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano 无法打开所选的输入设备。请确认没有其他应用程序正在使用该设备，然后重试。</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano 无法启动所选的输入设备。请确认没有其他应用程序正在使用该设备，然后重试。</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>房间名由 1 到 24 个字母、数字、- 或 _ 组成。</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>请输入服务器地址，例如 192.168.1.20、piano.example.org:9051 或 piano.example.org/jazz。</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>地址中缺少主机：请在端口或房间之前写上服务器的名称或 IP 地址，例如 piano.example.org:9051/jazz。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>“%1”不是主机名或 IP 地址。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>“%1”不是地址。IPv6 地址需放在方括号中，例如 [::1] 或 [::1]:9051/jazz。</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>冒号后缺少端口：端口是 1 到 65535 之间的数字。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>“%1”不是端口：端口是 1 到 65535 之间的数字。</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>斜杠后缺少房间。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>“%1”不是房间名。</translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>抱歉，由于在您的计算机上找不到 MIDI 输出设备，Tamber Piano 无法运行。</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>严重错误</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>欢迎</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>这不是有效的键位映射文件。</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>无效文件</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>无法打开键位映射文件“%1”：%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>此键位映射是为 Tamber Piano v%1.x.x 设计的，无法在此版本的 Tamber Piano 中使用。</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>此键位映射是为 Tamber Piano v%1.%2.x 设计的，在此版本的 Tamber Piano 中可能无法正常使用。</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>警告：此键位映射中检测到一个无效值。</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>无法将键位映射保存到“%1”：%2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>键位映射已保存！</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>无法将录音写入“%1”：%2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>Tamber Piano 无法连接到服务器！</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>在有空位之前服务器关闭了连接。会话可能已满，请稍后再试。</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>无法打开录音“%1”：%2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>无法播放录音“%1”：其中包含超过 %2 个事件。</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>无法打开 MIDI 文件“%1”：%2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>无法播放 MIDI 文件“%1”：%2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>欢迎使用 Tamber Piano！</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>按下电脑键盘上的按键即可开始演奏。</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>警告：此键位映射中又检测到 %n 个无效值，已跳过。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>警告：此键位映射中又检测到 %n 个无效值，已跳过。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>该文件只能读取。</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>录制</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>文件：无</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>文件：%1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>新建录音</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Tamber Piano 录音 (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>打开录音</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>录音 (*.tbr);;MIDI 文件 (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>导出 MIDI 文件</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>MIDI 文件 (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>此服务器只有一个房间。</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>请输入主机的 IP 地址：</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>未指定文件名。</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>这是文件夹，不是文件。</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>文件不存在。</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>这不是普通文件。</translation>
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
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - 按键设置</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>保存键位</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>加载键位</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>请选择要设置的音符...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>请按下要分配给此音符的键...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Tamber Piano 键位映射 (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>关于 Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>用电脑键盘弹钢琴，独奏或合奏皆可。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>tamber::frmChat</name>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>已锁定</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>踢出(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>封禁一小时(&amp;B)</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>设为房主(&amp;O)</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation>（房主）</translation>
    </message>
</context>
<context>
    <name>tamber::frmPiano</name>
    <message>
        <source>Instrument</source>
        <translation>乐器</translation>
    </message>
    <message>
        <source>Base Octave</source>
        <translation>基准八度</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>录音</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>录制</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>文件：无</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>新建(&amp;N)...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>导出 MIDI 文件(&amp;E)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>按键设置(&amp;K)...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>节拍器(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>输出设备(&amp;O)</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(PC 扬声器)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>输入设备(&amp;I)</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(无)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>Corvent(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>加入会话(&amp;J)...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>System</source>
        <translation>跟随系统</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>下次启动时生效</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>这是一个音符。</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>随机消息</translation>
    </message>
</context>
</TS>
