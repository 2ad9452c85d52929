<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(Keines)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>die Datei ist schreibgeschützt.</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Die Aufnahme „%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>„%1“ ist keine Aufnahme von Tamber Piano.</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>Die Aufnahme „%1“ enthält mehr als %2 Ereignisse.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>Die MIDI-Datei „%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>Spur %1 ist abgeschnitten: Das Ereignis bei Byte %2 reicht über das Ende der Spur hinaus.</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>Das ist keine MIDI-Datei: Sie beginnt nicht mit „MThd“.</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>Der Kopf ist %1 Bytes lang; er muss mindestens 6 haben.</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>Der Kopf gibt %1 Bytes an, mehr als die Datei enthält.</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>Das ist eine Datei im Format 2 (getrennte Stücke), das nicht unterstützt wird.</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>Ihre Formatnummer %1 ist kein MIDI-Dateiformat.</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>Eine Datei im Format 0 hat eine Spur; diese gibt %1 an.</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>Der Kopf gibt %1 Spuren an, mehr als die Datei enthalten kann.</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>Ihre Zeiteinteilung 0x%1 ist ungültig.</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>Die Datei endet nach %1 ihrer %2 Spuren.</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>Bei Byte %1, wo Spur %2 stehen sollte, beginnt kein Chunk; ein Chunk davor hat die falsche Länge.</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>Der Chunk bei Byte %1 gibt %2 Bytes an, aber die Datei enthält nur noch %3.</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>Spur %1 hat bei Byte %2 eine Zahl variabler Länge mit mehr als vier Bytes.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>Spur %1 hat bei Byte %2 ein Datenbyte ohne vorangehendes Statusbyte.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>Spur %1 hat bei Byte %3 ein Tempo-Ereignis mit %2 Bytes; ein Tempo hat 3.</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>Spur %1 hat bei Byte %3 das Statusbyte 0x%2, das in einer MIDI-Datei nicht vorkommen darf.</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>Spur %1 hat bei Byte %2 eine Kanalnachricht ohne ihre Datenbytes.</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>Sie ist %1 Bytes groß; MIDI-Dateien über %2 MiB werden nicht gelesen.</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>Spielt Klavier auf der Computertastatur oder einem MIDI-Keyboard, allein oder mit bis zu sieben anderen Spielern über einen Corvent Server.</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>Gefolgt von IN.tbr OUT.mid: schreibt die Aufnahme IN.tbr als Standard-MIDI-Datei OUT.mid und beendet sich, ohne Fenster und ohne Ton.</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi braucht eine Aufnahme und eine MIDI-Datei: --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Das MIDI-Ausgabegerät konnte nicht geöffnet werden. Bitte stellen Sie sicher, dass es nicht belegt ist, oder wählen Sie im Menü „Optionen“ ein anderes Gerät.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Das MIDI-Eingabegerät konnte nicht geöffnet werden. Bitte stellen Sie sicher, dass es nicht belegt ist, oder wählen Sie im Menü „Optionen“ ein anderes Gerät.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Das MIDI-Eingabegerät konnte nicht gestartet werden. Bitte stellen Sie sicher, dass es nicht belegt ist, oder wählen Sie im Menü „Optionen“ ein anderes Gerät.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano konnte das gewählte Ausgabegerät nicht öffnen. Bitte stellen Sie sicher, dass kein anderes Programm das Gerät verwendet, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano konnte das gewählte Eingabegerät nicht öffnen. Bitte stellen Sie sicher, dass kein anderes Programm das Gerät verwendet, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano konnte das gewählte Eingabegerät nicht starten. Bitte stellen Sie sicher, dass kein anderes Programm das Gerät verwendet, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>Ein Raumname besteht aus 1 bis 24 Buchstaben, Ziffern, - oder _.</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>Bitte geben Sie die Adresse des Servers ein, zum Beispiel 192.168.1.20, piano.example.org:9051 oder piano.example.org/jazz.</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>Die Adresse enthält keinen Host: Schreiben Sie den Namen oder die IP-Adresse des Servers vor den Port oder den Raum, wie in piano.example.org:9051/jazz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>„%1“ ist kein Hostname und keine IP-Adresse.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>„%1“ ist keine Adresse. Eine IPv6-Adresse steht in eckigen Klammern, wie in [::1] oder [::1]:9051/jazz.</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>Nach dem Doppelpunkt fehlt der Port: eine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>„%1“ ist kein Port: Ein Port ist eine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>Nach dem Schrägstrich fehlt der Raum. </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>„%1“ ist kein Raumname. </translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>Tamber Piano kann leider nicht laufen, weil auf Ihrem Computer keine MIDI-Ausgabegeräte gefunden wurden.</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Schwerer Fehler</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>Dies ist keine gültige Tastenbelegungsdatei.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Ungültige Datei</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>Die Tastenbelegungsdatei „%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>Diese Tastenbelegung wurde für Tamber Piano v%1.x.x erstellt. Mit dieser Version von Tamber Piano funktioniert sie nicht.</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>Diese Tastenbelegung wurde für Tamber Piano v%1.%2.x erstellt. Mit dieser Version von Tamber Piano funktioniert sie womöglich nicht richtig.</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>Warnung: In dieser Tastenbelegung wurde ein ungültiger Wert gefunden.</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>Die Tastenbelegung konnte nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>Tastenbelegung gespeichert!</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>Die Aufnahme konnte nicht in „%1“ geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>Tamber Piano konnte keine Verbindung zum Server herstellen!</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>Der Server hat die Verbindung geschlossen, bevor ein Platz für Sie frei war. Die Sitzung ist vielleicht voll; bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Die Aufnahme „%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>Die Aufnahme „%1“ kann nicht abgespielt werden: Sie enthält mehr als %2 Ereignisse.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>Die MIDI-Datei „%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>Die MIDI-Datei „%1“ kann nicht abgespielt werden: %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>Willkommen bei Tamber Piano!</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>Drücken Sie die Tasten Ihrer Computertastatur, um zu spielen.</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Warnung: %n weiterer ungültiger Wert wurde in dieser Tastenbelegung gefunden und übersprungen.</numerusform>
            <numerusform>Warnung: %n weitere ungültige Werte wurden in dieser Tastenbelegung gefunden und übersprungen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Warnung: %n weiterer ungültiger Wert wurde in dieser Tastenbelegung gefunden und übersprungen.</numerusform>
            <numerusform>Warnung: %n weitere ungültige Werte wurden in dieser Tastenbelegung gefunden und übersprungen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>Die Datei kann nur gelesen werden.</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Datei: keine</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>Neue Aufnahme</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Tamber-Piano-Aufnahmen (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Aufnahme öffnen</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>Aufnahmen (*.tbr);;MIDI-Dateien (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>MIDI-Datei exportieren</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>MIDI-Dateien (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>Dieser Server hat nur einen Raum.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>Bitte geben Sie die IP-Adresse des Hosts ein:</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>Es wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Das ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Das ist keine normale Datei.</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Auch Debug-Meldungen auf die Standardfehlerausgabe schreiben: was jedes Gerät, jede Datei und jede Verbindung getan hat.</translation>
    </message>
</context>
<context>
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - Tastenbelegung</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>Bitte wählen Sie eine Note zum Belegen...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>Drücken Sie die Taste für diese Note...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Tamber-Piano-Tastenbelegung (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>Über Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>Spielen Sie Klavier auf Ihrer Computertastatur, allein oder gemeinsam.</translation>
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
        <translation>Senden</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Hinauswerfen</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>Eine Stunde &amp;sperren</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>Zum &amp;Besitzer machen</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (Besitzer)</translation>
    </message>
</context>
<context>
    <name>tamber::frmPiano</name>
    <message>
        <source>Instrument</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Base Octave</source>
        <translation>Grundoktave</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Datei: keine</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>MIDI-Datei &amp;exportieren...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>&amp;Tastenbelegung...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>&amp;Metronom...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>&amp;Ausgabegerät</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(PC-Lautsprecher)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>&amp;Eingabegerät</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Keines)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>&amp;Corvent</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>Sitzung &amp;beitreten...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Systemsprache</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Wirkt ab dem nächsten Start</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>Das ist eine Note.</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>Zufällige Nachricht</translation>
    </message>
</context>
</TS>
