<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(Ninguno)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>el archivo es de solo lectura.</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>No se pudo abrir la grabación «%1»: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>«%1» no es una grabación de Tamber Piano.</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>La grabación «%1» contiene más de %2 eventos.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>No se pudo escribir el archivo MIDI «%1»: %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>La pista %1 está cortada: el evento del byte %2 sobrepasa el final de la pista.</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>No es un archivo MIDI: no empieza por «MThd».</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>La cabecera mide %1 bytes; debe tener al menos 6.</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>La cabecera declara %1 bytes, más de los que contiene el archivo.</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>Es un archivo de formato 2 (canciones separadas), que no se admite.</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>Su número de formato %1 no es ningún formato de archivo MIDI.</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>Un archivo de formato 0 tiene una pista; este declara %1.</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>La cabecera declara %1 pistas, más de las que puede contener el archivo.</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>Su división de tiempo 0x%1 no es válida.</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>El archivo termina tras %1 de sus %2 pistas.</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>Ningún bloque empieza en el byte %1, donde debería estar la pista %2; un bloque anterior tiene una longitud incorrecta.</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>El bloque del byte %1 declara %2 bytes, pero al archivo solo le quedan %3.</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>La pista %1 tiene en el byte %2 un número de longitud variable de más de cuatro bytes.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>La pista %1 tiene en el byte %2 un byte de datos sin un byte de estado delante.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>La pista %1 tiene en el byte %3 un evento de tempo de %2 bytes; un tempo tiene 3.</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>La pista %1 tiene en el byte %3 el byte de estado 0x%2, que un archivo MIDI no puede contener.</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>La pista %1 tiene en el byte %2 un mensaje de canal sin sus bytes de datos.</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>Mide %1 bytes; los archivos MIDI de más de %2 MiB no se leen.</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>Toca el piano con el teclado del ordenador o un teclado MIDI, en solitario o junto con hasta otros siete músicos a través de un Corvent Server.</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>Seguido de IN.tbr OUT.mid: escribe la grabación IN.tbr como el archivo MIDI estándar OUT.mid y termina, sin ventana y sin sonido.</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi necesita una grabación y un archivo MIDI: --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado «%1».</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>No se pudo abrir el dispositivo de salida MIDI. Compruebe que no esté ocupado o elija otro dispositivo en el menú Opciones.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>No se pudo abrir el dispositivo de entrada MIDI. Compruebe que no esté ocupado o elija otro dispositivo en el menú Opciones.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>No se pudo iniciar el dispositivo de entrada MIDI. Compruebe que no esté ocupado o elija otro dispositivo en el menú Opciones.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano no pudo abrir el dispositivo de salida elegido. Compruebe que ninguna otra aplicación lo esté usando e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano no pudo abrir el dispositivo de entrada elegido. Compruebe que ninguna otra aplicación lo esté usando e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano no pudo iniciar el dispositivo de entrada elegido. Compruebe que ninguna otra aplicación lo esté usando e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>Un nombre de sala tiene de 1 a 24 letras, dígitos, - o _.</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>Escriba la dirección del servidor, por ejemplo 192.168.1.20, piano.example.org:9051 o piano.example.org/jazz.</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>La dirección no tiene host: escriba el nombre o la dirección IP del servidor antes del puerto o la sala, como en piano.example.org:9051/jazz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>«%1» no es un nombre de host ni una dirección IP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>«%1» no es una dirección. Una dirección IPv6 va entre corchetes, como en [::1] o [::1]:9051/jazz.</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>Falta el puerto después de los dos puntos: es un número de 1 a 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>«%1» no es un puerto: un puerto es un número de 1 a 65535.</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>Falta la sala después de la barra. </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>«%1» no es un nombre de sala. </translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>Lo sentimos, Tamber Piano no puede funcionar porque no se encontró ningún dispositivo de salida MIDI en su equipo.</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Error grave</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Bienvenida</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>No es un archivo de asignación de teclas válido.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Archivo no válido</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>No se pudo abrir el archivo de asignación de teclas «%1»: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>Esta asignación de teclas se diseñó para Tamber Piano v%1.x.x. No funcionará con esta versión de Tamber Piano.</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>Esta asignación de teclas se diseñó para Tamber Piano v%1.%2.x. Puede que no funcione bien con esta versión de Tamber Piano.</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>Advertencia: se detectó un valor no válido en esta asignación de teclas.</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>No se pudo guardar la asignación de teclas en «%1»: %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>¡Asignación de teclas guardada!</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Correcto</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>No se pudo escribir la grabación en «%1»: %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>¡Tamber Piano no pudo conectarse al servidor!</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>El servidor cerró la conexión antes de que hubiera un puesto libre para usted. Puede que la sesión esté llena; inténtelo más tarde.</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>No se pudo abrir la grabación «%1»: %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>No se puede reproducir la grabación «%1»: contiene más de %2 eventos.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>No se pudo abrir el archivo MIDI «%1»: %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>No se puede reproducir el archivo MIDI «%1»: %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>¡Bienvenido a Tamber Piano!</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>Pulse las teclas del teclado del ordenador para empezar a tocar.</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Advertencia: se detectó y omitió %n valor no válido más en esta asignación de teclas.</numerusform>
            <numerusform>Advertencia: se detectaron y omitieron %n valores no válidos más en esta asignación de teclas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Advertencia: se detectó y omitió %n valor no válido más en esta asignación de teclas.</numerusform>
            <numerusform>Advertencia: se detectaron y omitieron %n valores no válidos más en esta asignación de teclas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>El archivo solo se puede leer.</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Archivo: ninguno</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Archivo: %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>Nueva grabación</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Grabaciones de Tamber Piano (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Abrir grabación</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>Grabaciones (*.tbr);;Archivos MIDI (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>Exportar archivo MIDI</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>Archivos MIDI (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>Este servidor tiene una sola sala.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>Escriba la dirección IP del host:</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>No se indicó ningún nombre de archivo.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Es una carpeta, no un archivo.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>No es un archivo normal.</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Escribir también los mensajes de depuración en la salida de error estándar: qué hizo cada dispositivo, archivo y conexión.</translation>
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
        <translation>Seleccionar &amp;todo</translation>
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
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>Elija una nota para configurar...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>Pulse la tecla que desea asignar a esta nota...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Asignación de teclas de Tamber Piano (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>Acerca de Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>Toque el piano con el teclado del ordenador, solo o en compañía.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
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
        <translation>Salir</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Bloqueada</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Expulsar</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>&amp;Vetar durante una hora</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>Hacer &amp;propietario</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (propietario)</translation>
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
        <translation>Octava base</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabación</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Archivo: ninguno</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Nuevo...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>&amp;Exportar archivo MIDI...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>Configurar &amp;teclas...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>&amp;Metrónomo...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>Dispositivo de &amp;salida</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(Altavoz del PC)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>Dispositivo de &amp;entrada</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Ninguno)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>&amp;Corvent</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>&amp;Unirse a una sesión...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Acerca de...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Idioma del sistema</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Se aplica en el próximo inicio</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>Esto es una nota.</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>Mensaje aleatorio</translation>
    </message>
</context>
</TS>
