<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(Nenhum)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>o arquivo é somente leitura.</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Não foi possível abrir a gravação &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>&quot;%1&quot; não é uma gravação do Tamber Piano.</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>A gravação &quot;%1&quot; contém mais de %2 eventos.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>Não foi possível gravar o arquivo MIDI &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>A trilha %1 está cortada: o evento no byte %2 passa do fim da trilha.</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>Não é um arquivo MIDI: ele não começa com &quot;MThd&quot;.</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>O cabeçalho tem %1 bytes; ele precisa ter pelo menos 6.</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>O cabeçalho declara %1 bytes, mais do que o arquivo contém.</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>É um arquivo de formato 2 (músicas separadas), que não é suportado.</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>O número de formato %1 não é um formato de arquivo MIDI.</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>Um arquivo de formato 0 tem uma trilha; este declara %1.</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>O cabeçalho declara %1 trilhas, mais do que o arquivo pode conter.</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>A divisão de tempo 0x%1 não é válida.</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>O arquivo termina depois de %1 das suas %2 trilhas.</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>Nenhum bloco começa no byte %1, onde deveria estar a trilha %2; um bloco anterior tem o tamanho errado.</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>O bloco no byte %1 declara %2 bytes, mas o arquivo só tem mais %3.</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>A trilha %1 tem no byte %2 um número de tamanho variável com mais de quatro bytes.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>A trilha %1 tem no byte %2 um byte de dados sem um byte de status antes dele.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>A trilha %1 tem no byte %3 um evento de andamento de %2 bytes; um andamento tem 3.</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>A trilha %1 tem no byte %3 o byte de status 0x%2, que um arquivo MIDI não pode conter.</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>A trilha %1 tem no byte %2 uma mensagem de canal sem seus bytes de dados.</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>Ele tem %1 bytes; arquivos MIDI com mais de %2 MiB não são lidos.</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>Toca piano pelo teclado do computador ou por um teclado MIDI, sozinho ou com até sete outros músicos por meio de um Corvent Server.</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>Seguido de IN.tbr OUT.mid: salva a gravação IN.tbr como o arquivo MIDI padrão OUT.mid e sai, sem janela e sem som.</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi precisa de uma gravação e de um arquivo MIDI: --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Não foi possível abrir o dispositivo de saída MIDI. Verifique se ele não está ocupado ou escolha outro dispositivo no menu Opções.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Não foi possível abrir o dispositivo de entrada MIDI. Verifique se ele não está ocupado ou escolha outro dispositivo no menu Opções.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Não foi possível iniciar o dispositivo de entrada MIDI. Verifique se ele não está ocupado ou escolha outro dispositivo no menu Opções.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>O Tamber Piano não conseguiu abrir o dispositivo de saída escolhido. Verifique se nenhum outro aplicativo está usando o dispositivo e tente novamente.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>O Tamber Piano não conseguiu abrir o dispositivo de entrada escolhido. Verifique se nenhum outro aplicativo está usando o dispositivo e tente novamente.</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>O Tamber Piano não conseguiu iniciar o dispositivo de entrada escolhido. Verifique se nenhum outro aplicativo está usando o dispositivo e tente novamente.</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>Um nome de sala tem de 1 a 24 letras, dígitos, - ou _.</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>Digite o endereço do servidor, por exemplo 192.168.1.20, piano.example.org:9051 ou piano.example.org/jazz.</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>O endereço não tem host: escreva o nome ou o endereço IP do servidor antes da porta ou da sala, como em piano.example.org:9051/jazz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>&quot;%1&quot; não é um nome de host nem um endereço IP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>&quot;%1&quot; não é um endereço. Um endereço IPv6 vai entre colchetes, como em [::1] ou [::1]:9051/jazz.</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>Falta a porta depois dos dois-pontos: é um número de 1 a 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>&quot;%1&quot; não é uma porta: uma porta é um número de 1 a 65535.</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>Falta a sala depois da barra. </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>&quot;%1&quot; não é um nome de sala. </translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>Desculpe, o Tamber Piano não pode ser executado porque nenhum dispositivo de saída MIDI foi encontrado no seu computador.</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Erro fatal</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Boas-vindas</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>Este não é um arquivo de mapa de teclas válido.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Arquivo inválido</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>Não foi possível abrir o arquivo de mapa de teclas &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>Este mapa de teclas foi criado para o Tamber Piano v%1.x.x. Ele não funcionará com esta versão do Tamber Piano.</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>Este mapa de teclas foi criado para o Tamber Piano v%1.%2.x. Ele pode não funcionar corretamente com esta versão do Tamber Piano.</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>Aviso: foi encontrado um valor inválido neste mapa de teclas.</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>Não foi possível salvar o mapa de teclas em &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>Mapa de teclas salvo!</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Sucesso</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>Não foi possível gravar a gravação em &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>O Tamber Piano não conseguiu se conectar ao servidor!</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>O servidor fechou a conexão antes que houvesse um lugar livre para você. A sessão pode estar cheia; tente novamente mais tarde.</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Não foi possível abrir a gravação &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>Não é possível reproduzir a gravação &quot;%1&quot;: ela contém mais de %2 eventos.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>Não foi possível abrir o arquivo MIDI &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>Não é possível reproduzir o arquivo MIDI &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>Bem-vindo ao Tamber Piano!</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>Pressione as teclas do teclado do computador para começar a tocar.</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Aviso: mais %n valor inválido foi encontrado neste mapa de teclas e ignorado.</numerusform>
            <numerusform>Aviso: mais %n valores inválidos foram encontrados neste mapa de teclas e ignorados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Aviso: mais %n valor inválido foi encontrado neste mapa de teclas e ignorado.</numerusform>
            <numerusform>Aviso: mais %n valores inválidos foram encontrados neste mapa de teclas e ignorados.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>O arquivo só pode ser lido.</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>Gravar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Arquivo: nenhum</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Arquivo: %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>Nova gravação</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Gravações do Tamber Piano (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Abrir gravação</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>Gravações (*.tbr);;Arquivos MIDI (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>Exportar arquivo MIDI</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>Arquivos MIDI (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>Este servidor tem uma única sala.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>Digite o endereço IP do host:</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>Nenhum nome de arquivo foi informado.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>É uma pasta, não um arquivo.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>O arquivo não existe.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Não é um arquivo comum.</translation>
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
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Selecionar &amp;tudo</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - Configurar teclas</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>Carregar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>Escolha uma nota para configurar...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>Pressione a tecla a atribuir a esta nota...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Mapa de teclas do Tamber Piano (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>Sobre o Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>Toque piano no teclado do computador, sozinho ou com outras pessoas.</translation>
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
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Trancada</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Expulsar</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>&amp;Banir por uma hora</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>Tornar &amp;dono</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (dono)</translation>
    </message>
</context>
<context>
    <name>tamber::frmPiano</name>
    <message>
        <source>Instrument</source>
        <translation>Instrumento</translation>
    </message>
    <message>
        <source>Base Octave</source>
        <translation>Oitava base</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Gravação</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Gravar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Arquivo: nenhum</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Novo...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>&amp;Exportar arquivo MIDI...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opções</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>Configurar &amp;teclas...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>&amp;Metrônomo...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>Dispositivo de &amp;saída</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(Alto-falante do PC)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>Dispositivo de &amp;entrada</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Nenhum)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>&amp;Corvent</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>&amp;Entrar em uma sessão...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Sobre...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Idioma do sistema</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Vale a partir da próxima inicialização</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>Isto é uma nota.</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>Mensagem aleatória</translation>
    </message>
</context>
</TS>
