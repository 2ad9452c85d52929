<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(Aucun)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>le fichier est en lecture seule.</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>L&apos;enregistrement « %1 » n&apos;a pas pu être ouvert : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>« %1 » n&apos;est pas un enregistrement de Tamber Piano.</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>L&apos;enregistrement « %1 » contient plus de %2 événements.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>Le fichier MIDI « %1 » n&apos;a pas pu être écrit : %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>La piste %1 est tronquée : l&apos;événement à l&apos;octet %2 dépasse la fin de la piste.</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>Ce n&apos;est pas un fichier MIDI : il ne commence pas par « MThd ».</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>L&apos;en-tête fait %1 octets ; il en faut au moins 6.</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>L&apos;en-tête annonce %1 octets, plus que n&apos;en contient le fichier.</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>C&apos;est un fichier de format 2 (morceaux séparés), qui n&apos;est pas pris en charge.</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>Son numéro de format %1 ne correspond à aucun format de fichier MIDI.</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>Un fichier de format 0 a une seule piste ; celui-ci en déclare %1.</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>L&apos;en-tête déclare %1 pistes, plus que le fichier ne peut en contenir.</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>Sa division temporelle 0x%1 n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>Le fichier se termine après %1 de ses %2 pistes.</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>Aucun bloc ne commence à l&apos;octet %1, où devrait se trouver la piste %2 ; un bloc précédent a une longueur erronée.</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>Le bloc à l&apos;octet %1 annonce %2 octets, mais le fichier n&apos;en contient plus que %3.</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>La piste %1 contient à l&apos;octet %2 un nombre de longueur variable de plus de quatre octets.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>La piste %1 contient à l&apos;octet %2 un octet de données sans octet d&apos;état avant lui.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>La piste %1 contient à l&apos;octet %3 un événement de tempo de %2 octets ; un tempo en a 3.</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>La piste %1 contient à l&apos;octet %3 l&apos;octet d&apos;état 0x%2, qu&apos;un fichier MIDI ne peut pas contenir.</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>La piste %1 contient à l&apos;octet %2 un message de canal sans ses octets de données.</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>Il fait %1 octets ; les fichiers MIDI de plus de %2 Mio ne sont pas lus.</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>Joue du piano avec le clavier de l&apos;ordinateur ou un clavier MIDI, seul ou avec jusqu&apos;à sept autres musiciens via un Corvent Server.</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>Suivi de IN.tbr OUT.mid : écrit l&apos;enregistrement IN.tbr dans le fichier MIDI standard OUT.mid et quitte, sans fenêtre ni son.</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>--export-midi attend un enregistrement et un fichier MIDI : --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Le périphérique de sortie MIDI n&apos;a pas pu être ouvert. Vérifiez qu&apos;il n&apos;est pas occupé ou choisissez un autre périphérique dans le menu Options.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Le périphérique d&apos;entrée MIDI n&apos;a pas pu être ouvert. Vérifiez qu&apos;il n&apos;est pas occupé ou choisissez un autre périphérique dans le menu Options.</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Le périphérique d&apos;entrée MIDI n&apos;a pas pu être démarré. Vérifiez qu&apos;il n&apos;est pas occupé ou choisissez un autre périphérique dans le menu Options.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano n&apos;a pas pu ouvrir le périphérique de sortie choisi. Vérifiez qu&apos;aucune autre application ne l&apos;utilise, puis réessayez.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano n&apos;a pas pu ouvrir le périphérique d&apos;entrée choisi. Vérifiez qu&apos;aucune autre application ne l&apos;utilise, puis réessayez.</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano n&apos;a pas pu démarrer le périphérique d&apos;entrée choisi. Vérifiez qu&apos;aucune autre application ne l&apos;utilise, puis réessayez.</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>Un nom de salle compte de 1 à 24 lettres, chiffres, - ou _.</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>Saisissez l&apos;adresse du serveur, par exemple 192.168.1.20, piano.example.org:9051 ou piano.example.org/jazz.</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>L&apos;adresse n&apos;indique pas d&apos;hôte : écrivez le nom ou l&apos;adresse IP du serveur avant le port ou la salle, comme dans piano.example.org:9051/jazz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>« %1 » n&apos;est ni un nom d&apos;hôte ni une adresse IP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>« %1 » n&apos;est pas une adresse. Une adresse IPv6 s&apos;écrit entre crochets, comme dans [::1] ou [::1]:9051/jazz.</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>Le port manque après les deux-points : c&apos;est un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>« %1 » n&apos;est pas un port : un port est un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>La salle manque après la barre oblique. </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>« %1 » n&apos;est pas un nom de salle. </translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>Désolé, Tamber Piano ne peut pas fonctionner : aucun périphérique de sortie MIDI n&apos;a été trouvé sur votre ordinateur.</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Erreur fatale</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>Ce n&apos;est pas un fichier de disposition de touches valide.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Fichier non valide</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>Le fichier de disposition de touches « %1 » n&apos;a pas pu être ouvert : %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>Cette disposition de touches a été conçue pour Tamber Piano v%1.x.x. Elle ne fonctionnera pas avec cette version de Tamber Piano.</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>Cette disposition de touches a été conçue pour Tamber Piano v%1.%2.x. Elle risque de ne pas fonctionner correctement avec cette version de Tamber Piano.</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>Avertissement : une valeur non valide a été trouvée dans cette disposition de touches.</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>La disposition de touches n&apos;a pas pu être enregistrée dans « %1 » : %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>Disposition de touches enregistrée !</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Succès</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>L&apos;enregistrement n&apos;a pas pu être écrit dans « %1 » : %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>Tamber Piano n&apos;a pas pu se connecter au serveur !</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>Le serveur a fermé la connexion avant qu&apos;une place se libère pour vous. La session est peut-être complète ; réessayez plus tard.</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>L&apos;enregistrement « %1 » n&apos;a pas pu être ouvert : %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>L&apos;enregistrement « %1 » ne peut pas être lu : il contient plus de %2 événements.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>Le fichier MIDI « %1 » n&apos;a pas pu être ouvert : %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>Le fichier MIDI « %1 » ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>Bienvenue dans Tamber Piano !</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>Appuyez sur les touches du clavier de l&apos;ordinateur pour commencer à jouer.</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Avertissement : %n autre valeur non valide a été trouvée dans cette disposition de touches et ignorée.</numerusform>
            <numerusform>Avertissement : %n autres valeurs non valides ont été trouvées dans cette disposition de touches et ignorées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Avertissement : %n autre valeur non valide a été trouvée dans cette disposition de touches et ignorée.</numerusform>
            <numerusform>Avertissement : %n autres valeurs non valides ont été trouvées dans cette disposition de touches et ignorées.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>Le fichier ne peut être que lu.</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Fichier : aucun</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>Nouvel enregistrement</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Enregistrements Tamber Piano (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Ouvrir un enregistrement</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>Enregistrements (*.tbr);;Fichiers MIDI (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>Exporter en fichier MIDI</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>Fichiers MIDI (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>Ce serveur n&apos;a qu&apos;une seule salle.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>Saisissez l&apos;adresse IP de l&apos;hôte :</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>Aucun nom de fichier n&apos;a été indiqué.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>C&apos;est un dossier, pas un fichier.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Le fichier n&apos;existe pas.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Écrire aussi les messages de débogage sur la sortie d&apos;erreur standard : ce qu&apos;a fait chaque périphérique, fichier et connexion.</translation>
    </message>
</context>
<context>
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - Configuration des touches</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>Choisissez une note à configurer...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>Appuyez sur la touche à associer à cette note...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Disposition de touches Tamber Piano (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>À propos de Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>Jouez du piano sur le clavier de votre ordinateur, seul ou à plusieurs.</translation>
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
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Verrouillée</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Expulser</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>&amp;Bannir pour une heure</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>Nommer &amp;propriétaire</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (propriétaire)</translation>
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
        <translation>Octave de base</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Fichier : aucun</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Nouveau...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>&amp;Exporter en fichier MIDI...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>Configuration des &amp;touches...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>&amp;Métronome...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>Périphérique de &amp;sortie</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(Haut-parleur du PC)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>Périphérique d&apos;&amp;entrée</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Aucun)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>&amp;Corvent</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>&amp;Rejoindre une session...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Langue du système</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Prend effet au prochain démarrage</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>Ceci est une note.</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>Message aléatoire</translation>
    </message>
</context>
</TS>
