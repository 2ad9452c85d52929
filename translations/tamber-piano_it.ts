<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(Nessuno)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>il file è di sola lettura.</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Impossibile aprire la registrazione «%1»: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>«%1» non è una registrazione di Tamber Piano.</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>La registrazione «%1» contiene più di %2 eventi.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>Impossibile scrivere il file MIDI «%1»: %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>La traccia %1 è troncata: l&apos;evento al byte %2 va oltre la fine della traccia.</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>Non è un file MIDI: non inizia con «MThd».</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>L&apos;intestazione è lunga %1 byte; deve averne almeno 6.</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>L&apos;intestazione dichiara %1 byte, più di quanti ne contenga il file.</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>È un file di formato 2 (brani separati), che non è supportato.</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>Il suo numero di formato %1 non è un formato di file MIDI.</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>Un file di formato 0 ha una sola traccia; questo ne dichiara %1.</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>L&apos;intestazione dichiara %1 tracce, più di quante il file ne possa contenere.</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>La sua divisione temporale 0x%1 non è valida.</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>Il file finisce dopo %1 delle sue %2 tracce.</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>Nessun blocco inizia al byte %1, dove dovrebbe trovarsi la traccia %2; un blocco precedente ha la lunghezza sbagliata.</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>Il blocco al byte %1 dichiara %2 byte, ma il file ne contiene solo altri %3.</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>La traccia %1 ha al byte %2 un numero a lunghezza variabile di più di quattro byte.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>La traccia %1 ha al byte %2 un byte di dati senza un byte di stato prima.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>La traccia %1 ha al byte %3 un evento di tempo di %2 byte; un tempo ne ha 3.</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>La traccia %1 ha al byte %3 il byte di stato 0x%2, che un file MIDI non può contenere.</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>La traccia %1 ha al byte %2 un messaggio di canale senza i suoi byte di dati.</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>È lungo %1 byte; i file MIDI di oltre %2 MiB non vengono letti.</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>Suona il pianoforte con la tastiera del computer o una tastiera MIDI, da soli o insieme a un massimo di altri sette musicisti tramite un Corvent Server.</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>Seguito da IN.tbr OUT.mid: scrive la registrazione IN.tbr come file MIDI standard OUT.mid ed esce, senza finestra e senza suono.</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi richiede una registrazione e un file MIDI: --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argomento inatteso «%1».</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Impossibile aprire il dispositivo di uscita MIDI. Verificare che non sia occupato o scegliere un altro dispositivo dal menu Opzioni.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Impossibile aprire il dispositivo di ingresso MIDI. Verificare che non sia occupato o scegliere un altro dispositivo dal menu Opzioni.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Impossibile avviare il dispositivo di ingresso MIDI. Verificare che non sia occupato o scegliere un altro dispositivo dal menu Opzioni.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano non è riuscito ad aprire il dispositivo di uscita scelto. Verificare che nessun&apos;altra applicazione lo stia usando e riprovare.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano non è riuscito ad aprire il dispositivo di ingresso scelto. Verificare che nessun&apos;altra applicazione lo stia usando e riprovare.</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano non è riuscito ad avviare il dispositivo di ingresso scelto. Verificare che nessun&apos;altra applicazione lo stia usando e riprovare.</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>Un nome di stanza è composto da 1 a 24 lettere, cifre, - o _.</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>Inserire l&apos;indirizzo del server, per esempio 192.168.1.20, piano.example.org:9051 o piano.example.org/jazz.</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>L&apos;indirizzo non ha un host: scrivere il nome o l&apos;indirizzo IP del server prima della porta o della stanza, come in piano.example.org:9051/jazz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>«%1» non è un nome host né un indirizzo IP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>«%1» non è un indirizzo. Un indirizzo IPv6 va tra parentesi quadre, come in [::1] o [::1]:9051/jazz.</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>Manca la porta dopo i due punti: è un numero da 1 a 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>«%1» non è una porta: una porta è un numero da 1 a 65535.</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>Manca la stanza dopo la barra. </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>«%1» non è un nome di stanza. </translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>Spiacenti, Tamber Piano non può funzionare perché sul computer non è stato trovato alcun dispositivo di uscita MIDI.</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Errore irreversibile</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Benvenuto</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>Questo non è un file di mappa dei tasti valido.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>File non valido</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>Impossibile aprire il file di mappa dei tasti «%1»: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>Questa mappa dei tasti è stata creata per Tamber Piano v%1.x.x. Non funzionerà con questa versione di Tamber Piano.</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>Questa mappa dei tasti è stata creata per Tamber Piano v%1.%2.x. Potrebbe non funzionare correttamente con questa versione di Tamber Piano.</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>Avviso: in questa mappa dei tasti è stato rilevato un valore non valido.</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>Impossibile salvare la mappa dei tasti in «%1»: %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>Mappa dei tasti salvata!</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Operazione riuscita</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>Impossibile scrivere la registrazione in «%1»: %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>Tamber Piano non è riuscito a connettersi al server!</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>Il server ha chiuso la connessione prima che si liberasse un posto. La sessione potrebbe essere piena; riprovare più tardi.</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Impossibile aprire la registrazione «%1»: %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>Impossibile riprodurre la registrazione «%1»: contiene più di %2 eventi.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>Impossibile aprire il file MIDI «%1»: %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>Impossibile riprodurre il file MIDI «%1»: %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>Benvenuti in Tamber Piano!</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>Premere i tasti della tastiera del computer per iniziare a suonare.</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Avviso: in questa mappa dei tasti è stato rilevato e ignorato %n altro valore non valido.</numerusform>
            <numerusform>Avviso: in questa mappa dei tasti sono stati rilevati e ignorati altri %n valori non validi.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Avviso: in questa mappa dei tasti è stato rilevato e ignorato %n altro valore non valido.</numerusform>
            <numerusform>Avviso: in questa mappa dei tasti sono stati rilevati e ignorati altri %n valori non validi.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>Il file può essere solo letto.</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>Registra</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>File: nessuno</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>Nuova registrazione</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Registrazioni di Tamber Piano (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Apri registrazione</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>Registrazioni (*.tbr);;File MIDI (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>Esporta file MIDI</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>File MIDI (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>Questo server ha una sola stanza.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>Inserire l&apos;indirizzo IP dell&apos;host:</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>Non è stato indicato alcun nome di file.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>È una cartella, non un file.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Il file non esiste.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Non è un file normale.</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Scrivere anche i messaggi di debug sullo standard error: che cosa ha fatto ogni dispositivo, file e connessione.</translation>
    </message>
</context>
<context>
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copia</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Seleziona &amp;tutto</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - Configura tasti</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>Carica</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>Scegliere una nota da configurare...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>Premere il tasto da assegnare a questa nota...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Mappa dei tasti di Tamber Piano (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>Informazioni su Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>Suonate il pianoforte con la tastiera del computer, da soli o insieme.</translation>
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
        <translation>Invia</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Bloccata</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Espelli</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>&amp;Bandisci per un&apos;ora</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>Rendi &amp;proprietario</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (proprietario)</translation>
    </message>
</context>
<context>
    <name>tamber::frmPiano</name>
    <message>
        <source>Instrument</source>
        <translation>Strumento</translation>
    </message>
    <message>
        <source>Base Octave</source>
        <translation>Ottava base</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Registrazione</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Registra</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>File: nessuno</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Nuovo...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Apri...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>&amp;Esporta file MIDI...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;sci</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opzioni</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>Configura &amp;tasti...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>&amp;Metronomo...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>Dispositivo di &amp;uscita</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(Altoparlante del PC)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>Dispositivo di &amp;ingresso</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Nessuno)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>&amp;Corvent</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>&amp;Partecipa a una sessione...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Informazioni...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Lingua</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Lingua di sistema</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Ha effetto al prossimo avvio</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>Questa è una nota.</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>Messaggio casuale</translation>
    </message>
</context>
</TS>
