<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>DeviceChoice</name>
    <message>
        <source>(None)</source>
        <translation>(Нет)</translation>
    </message>
</context>
<context>
    <name>KeymapFile</name>
    <message>
        <source>the file is read-only.</source>
        <translation>файл доступен только для чтения.</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Не удалось открыть запись «%1»: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Tamber Piano recording.</source>
        <translation>«%1» не является записью Tamber Piano.</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; holds more than %2 events.</source>
        <translation>Запись «%1» содержит более %2 событий.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be written: %2</source>
        <translation>Не удалось записать файл MIDI «%1»: %2</translation>
    </message>
</context>
<context>
    <name>MidiFileReader</name>
    <message>
        <source>Track %1 is cut short: the event at byte %2 runs past the end of the track.</source>
        <translation>Дорожка %1 обрезана: событие в байте %2 выходит за конец дорожки.</translation>
    </message>
    <message>
        <source>It is not a MIDI file: it does not begin with &quot;MThd&quot;.</source>
        <translation>Это не файл MIDI: он не начинается с «MThd».</translation>
    </message>
    <message>
        <source>The header is %1 bytes long; it must have at least 6.</source>
        <translation>Длина заголовка в байтах — %1; нужно не меньше 6.</translation>
    </message>
    <message>
        <source>The header claims %1 bytes, more than the file holds.</source>
        <translation>Заголовок указывает длину в байтах %1 — больше, чем есть в файле.</translation>
    </message>
    <message>
        <source>It is a format-2 file (separate songs), which is not supported.</source>
        <translation>Это файл формата 2 (отдельные композиции), который не поддерживается.</translation>
    </message>
    <message>
        <source>Its format number %1 is no MIDI file format.</source>
        <translation>Номер формата %1 не соответствует ни одному формату файлов MIDI.</translation>
    </message>
    <message>
        <source>A format-0 file has one track; this one declares %1.</source>
        <translation>В файле формата 0 одна дорожка, а в этом их объявлено: %1.</translation>
    </message>
    <message>
        <source>The header declares %1 tracks, more than the file can hold.</source>
        <translation>Заголовок объявляет больше дорожек (%1), чем может вместить файл.</translation>
    </message>
    <message>
        <source>Its time division 0x%1 is not valid.</source>
        <translation>Недопустимое деление времени 0x%1.</translation>
    </message>
    <message>
        <source>The file ends after %1 of its %2 tracks.</source>
        <translation>Файл обрывается: прочитано дорожек %1 из %2.</translation>
    </message>
    <message>
        <source>No chunk begins at byte %1, where track %2 should be; a chunk before it has the wrong length.</source>
        <translation>В байте %1, где должна быть дорожка %2, не начинается ни один блок; у одного из предыдущих блоков неверная длина.</translation>
    </message>
    <message>
        <source>The chunk at byte %1 claims %2 bytes, but the file holds only %3 more.</source>
        <translation>Блок в байте %1 указывает длину в байтах %2, но в файле осталось только %3.</translation>
    </message>
    <message>
        <source>Track %1 has a variable-length number of more than four bytes at byte %2.</source>
        <translation>В дорожке %1 в байте %2 число переменной длины занимает больше четырёх байтов.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte without a status byte before it at byte %2.</source>
        <translation>В дорожке %1 в байте %2 байт данных не предваряется байтом статуса.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo event of %2 bytes at byte %3; a tempo has 3.</source>
        <translation>В дорожке %1 в байте %3 событие темпа длиной в байтах %2; у темпа их 3.</translation>
    </message>
    <message>
        <source>Track %1 has the status byte 0x%2 at byte %3, which a MIDI file may not hold.</source>
        <translation>В дорожке %1 в байте %3 стоит байт статуса 0x%2, недопустимый в файле MIDI.</translation>
    </message>
    <message>
        <source>Track %1 has a channel message without its data bytes at byte %2.</source>
        <translation>В дорожке %1 в байте %2 сообщение канала без байтов данных.</translation>
    </message>
    <message>
        <source>It is %1 bytes long; MIDI files of more than %2 MiB are not read.</source>
        <translation>Размер файла в байтах — %1; файлы MIDI больше %2 МиБ не читаются.</translation>
    </message>
</context>
<context>
    <name>PianoCommandLine</name>
    <message>
        <source>Plays the piano from the computer keyboard or a MIDI keyboard, alone or together with up to seven other players through a Corvent Server.</source>
        <translation>Игра на фортепиано с клавиатуры компьютера или MIDI-клавиатуры — в одиночку или вместе с не более чем семью другими участниками через Corvent Server.</translation>
    </message>
    <message>
        <source>With IN.tbr OUT.mid after it: writes the recording IN.tbr as the Standard MIDI File OUT.mid and exits, with no window and no sound.</source>
        <translation>С аргументами IN.tbr OUT.mid: сохраняет запись IN.tbr как стандартный файл MIDI OUT.mid и завершает работу, без окна и без звука.</translation>
    </message>
    <message>
        <source>--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid</source>
        <translation>Для --export-midi нужны запись и файл MIDI: --export-midi IN.tbr OUT.mid</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Неожиданный аргумент «%1».</translation>
    </message>
</context>
<context>
    <name>Presenter</name>
    <message>
        <source>The MIDI output device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Не удалось открыть устройство вывода MIDI. Убедитесь, что оно не занято, или выберите другое устройство в меню «Параметры».</translation>
    </message>
    <message>
        <source>The MIDI input device could not be opened. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Не удалось открыть устройство ввода MIDI. Убедитесь, что оно не занято, или выберите другое устройство в меню «Параметры».</translation>
    </message>
    <message>
        <source>The MIDI input device could not be started. Please ensure that it is not busy, or select a different device from the Options menu.</source>
        <translation>Не удалось запустить устройство ввода MIDI. Убедитесь, что оно не занято, или выберите другое устройство в меню «Параметры».</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected output device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano не удалось открыть выбранное устройство вывода. Убедитесь, что его не использует другая программа, и повторите попытку.</translation>
    </message>
    <message>
        <source>Tamber Piano could not open the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano не удалось открыть выбранное устройство ввода. Убедитесь, что его не использует другая программа, и повторите попытку.</translation>
    </message>
    <message>
        <source>Tamber Piano could not start the selected input device. Please ensure no other applications are using the device and try again.</source>
        <translation>Tamber Piano не удалось запустить выбранное устройство ввода. Убедитесь, что его не использует другая программа, и повторите попытку.</translation>
    </message>
    <message>
        <source>A room name is 1 to 24 letters, digits, - or _.</source>
        <translation>Имя комнаты: от 1 до 24 латинских букв, цифр, - или _.</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s address, for example 192.168.1.20, piano.example.org:9051 or piano.example.org/jazz.</source>
        <translation>Введите адрес сервера, например 192.168.1.20, piano.example.org:9051 или piano.example.org/jazz.</translation>
    </message>
    <message>
        <source>The address has no host: write the server&apos;s name or IP address before the port or the room, as in piano.example.org:9051/jazz.</source>
        <translation>В адресе нет хоста: укажите имя или IP-адрес сервера перед портом или комнатой, например piano.example.org:9051/jazz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or IP address.</source>
        <translation>«%1» не является именем хоста или IP-адресом.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. An IPv6 address goes in brackets, as in [::1] or [::1]:9051/jazz.</source>
        <translation>«%1» не является адресом. Адрес IPv6 записывается в квадратных скобках, например [::1] или [::1]:9051/jazz.</translation>
    </message>
    <message>
        <source>The port is missing after the colon: it is a number from 1 to 65535.</source>
        <translation>После двоеточия не указан порт: это число от 1 до 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>«%1» не является портом: порт — это число от 1 до 65535.</translation>
    </message>
    <message>
        <source>The room is missing after the slash. </source>
        <translation>После косой черты не указана комната. </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a room name. </source>
        <translation>«%1» не является именем комнаты. </translation>
    </message>
    <message>
        <source>Sorry, Tamber Piano cannot run because no MIDI output devices were found on your computer.</source>
        <translation>К сожалению, Tamber Piano не может работать: на компьютере не найдено ни одного устройства вывода MIDI.</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Критическая ошибка</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Добро пожаловать</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>This is not a valid keymap file.</source>
        <translation>Это не файл назначения клавиш.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Недопустимый файл</translation>
    </message>
    <message>
        <source>The keymap file &quot;%1&quot; could not be opened: %2</source>
        <translation>Не удалось открыть файл назначения клавиш «%1»: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.x.x. It will not work with this version of Tamber Piano.</source>
        <translation>Это назначение клавиш создано для Tamber Piano v%1.x.x. С этой версией Tamber Piano оно работать не будет.</translation>
    </message>
    <message>
        <source>This keymap was designed to work with Tamber Piano v%1.%2.x. It may not work correctly with this version of Tamber Piano.</source>
        <translation>Это назначение клавиш создано для Tamber Piano v%1.%2.x. С этой версией Tamber Piano оно может работать неправильно.</translation>
    </message>
    <message>
        <source>Warning: An invalid value was detected in this keymap.</source>
        <translation>Предупреждение: в этом назначении клавиш обнаружено недопустимое значение.</translation>
    </message>
    <message>
        <source>The keymap could not be saved to &quot;%1&quot;: %2</source>
        <translation>Не удалось сохранить назначение клавиш в «%1»: %2</translation>
    </message>
    <message>
        <source>Keymap Saved!</source>
        <translation>Назначение клавиш сохранено!</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>The recording could not be written to &quot;%1&quot;: %2</source>
        <translation>Не удалось записать запись в «%1»: %2</translation>
    </message>
    <message>
        <source>Tamber Piano could not connect to the server!</source>
        <translation>Tamber Piano не удалось подключиться к серверу!</translation>
    </message>
    <message>
        <source>The server closed the connection before a seat was free for you. The session may be full; please try again later.</source>
        <translation>Сервер закрыл соединение до того, как для вас освободилось место. Возможно, сеанс заполнен; повторите попытку позже.</translation>
    </message>
    <message>
        <source>Corvent</source>
        <translation>Corvent</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; could not be opened: %2</source>
        <translation>Не удалось открыть запись «%1»: %2</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be played: it holds more than %2 events.</source>
        <translation>Невозможно воспроизвести запись «%1»: она содержит более %2 событий.</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; could not be opened: %2</source>
        <translation>Не удалось открыть файл MIDI «%1»: %2</translation>
    </message>
    <message>
        <source>The MIDI file &quot;%1&quot; cannot be played: %2</source>
        <translation>Невозможно воспроизвести файл MIDI «%1»: %2</translation>
    </message>
    <message>
        <source>Welcome to Tamber Piano!</source>
        <translation>Добро пожаловать в Tamber Piano!</translation>
    </message>
    <message>
        <source>Press the keys on your computer keyboard to begin playing.</source>
        <translation>Нажимайте клавиши на клавиатуре компьютера, чтобы начать играть.</translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid value was detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Предупреждение: в этом назначении клавиш обнаружено и пропущено ещё %n недопустимое значение.</numerusform>
            <numerusform>Предупреждение: в этом назначении клавиш обнаружено и пропущено ещё %n недопустимых значения.</numerusform>
            <numerusform>Предупреждение: в этом назначении клавиш обнаружено и пропущено ещё %n недопустимых значений.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n more invalid values were detected in this keymap and skipped.</source>
        <translation>
            <numerusform>Предупреждение: в этом назначении клавиш обнаружено и пропущено ещё %n недопустимое значение.</numerusform>
            <numerusform>Предупреждение: в этом назначении клавиш обнаружено и пропущено ещё %n недопустимых значения.</numerusform>
            <numerusform>Предупреждение: в этом назначении клавиш обнаружено и пропущено ещё %n недопустимых значений.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>The file can only be read.</source>
        <translation>Файл доступен только для чтения.</translation>
    </message>
</context>
<context>
    <name>RecordingPanel</name>
    <message>
        <source>Record</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Играть</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Файл: нет</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Файл: %1</translation>
    </message>
    <message>
        <source>New Recording</source>
        <translation>Новая запись</translation>
    </message>
    <message>
        <source>Tamber Piano Recordings (*.tbr)</source>
        <translation>Записи Tamber Piano (*.tbr)</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Открыть запись</translation>
    </message>
    <message>
        <source>Recordings (*.tbr);;MIDI Files (*.mid *.midi)</source>
        <translation>Записи (*.tbr);;Файлы MIDI (*.mid *.midi)</translation>
    </message>
    <message>
        <source>Export MIDI File</source>
        <translation>Экспорт в файл MIDI</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid *.midi)</source>
        <translation>Файлы MIDI (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>SessionClient</name>
    <message>
        <source>This server has a single room.</source>
        <translation>На этом сервере только одна комната.</translation>
    </message>
    <message>
        <source>Please enter the host&apos;s IP address:</source>
        <translation>Введите IP-адрес хоста:</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>No file name was given.</source>
        <translation>Имя файла не указано.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Это папка, а не файл.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Файл не существует.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Это не обычный файл.</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Также выводить отладочные сообщения в стандартный поток ошибок: что сделало каждое устройство, каждый файл и каждое соединение.</translation>
    </message>
</context>
<context>
    <name>tamber::ChatTranscript</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Выделить &amp;всё</translation>
    </message>
</context>
<context>
    <name>tamber::KeyConfigDialog</name>
    <message>
        <source>Tamber Piano - Key Config</source>
        <translation>Tamber Piano - Назначение клавиш</translation>
    </message>
    <message>
        <source>Save Keymap</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Load Keymap</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Please select a note to configure...</source>
        <translation>Выберите ноту для настройки...</translation>
    </message>
    <message>
        <source>Press a key to assign to this note...</source>
        <translation>Нажмите клавишу для этой ноты...</translation>
    </message>
    <message>
        <source>Tamber Piano Keymap (*.tmk)</source>
        <translation>Назначение клавиш Tamber Piano (*.tmk)</translation>
    </message>
</context>
<context>
    <name>tamber::frmAbout</name>
    <message>
        <source>About Tamber Piano</source>
        <translation>О программе Tamber Piano</translation>
    </message>
    <message>
        <source>Play the piano on your computer keyboard, alone or together.</source>
        <translation>Играйте на фортепиано с клавиатуры компьютера — в одиночку или вместе.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>tamber::frmChat</name>
    <message>
        <source>Send</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Закрыта</translation>
    </message>
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Выгнать</translation>
    </message>
    <message>
        <source>&amp;Ban for an hour</source>
        <translation>&amp;Заблокировать на час</translation>
    </message>
    <message>
        <source>Make &amp;owner</source>
        <translation>&amp;Передать права владельца</translation>
    </message>
    <message>
        <source> (owner)</source>
        <translation> (владелец)</translation>
    </message>
</context>
<context>
    <name>tamber::frmPiano</name>
    <message>
        <source>Instrument</source>
        <translation>Инструмент</translation>
    </message>
    <message>
        <source>Base Octave</source>
        <translation>Базовая октава</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Играть</translation>
    </message>
    <message>
        <source>File: None</source>
        <translation>Файл: нет</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Создать...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Открыть...</translation>
    </message>
    <message>
        <source>&amp;Export MIDI File...</source>
        <translation>&amp;Экспорт в файл MIDI...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметры</translation>
    </message>
    <message>
        <source>&amp;Key Config...</source>
        <translation>&amp;Назначение клавиш...</translation>
    </message>
    <message>
        <source>&amp;Metronome...</source>
        <translation>&amp;Метроном...</translation>
    </message>
    <message>
        <source>&amp;Output Device</source>
        <translation>Устройство в&amp;ывода</translation>
    </message>
    <message>
        <source>(PC Speaker)</source>
        <translation>(Динамик ПК)</translation>
    </message>
    <message>
        <source>&amp;Input Device</source>
        <translation>Устройство вв&amp;ода</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Нет)</translation>
    </message>
    <message>
        <source>&amp;Corvent</source>
        <translation>&amp;Corvent</translation>
    </message>
    <message>
        <source>&amp;Join Session...</source>
        <translation>&amp;Присоединиться к сеансу...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Язык системы</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Вступит в силу при следующем запуске</translation>
    </message>
    <message>
        <source>This is a note.</source>
        <translation>Это нота.</translation>
    </message>
    <message>
        <source>Random Message</source>
        <translation>Случайное сообщение</translation>
    </message>
</context>
</TS>
