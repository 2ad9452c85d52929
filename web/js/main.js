// Wires a room's page together: view, sound, note engine, session and input. The page is
// /r/NAME/ for every room; its socket, "ws" beside it, takes the player into that room.

import { copyText } from './copy-link.js';
import { HeldNotes } from './held-notes.js';
import { startLanguage, t } from './i18n.js';
import { bindComputerKeyboard, bindPointer } from './input.js';
import { bindKeyboardScroll } from './keyboard-scroll.js';
import { KeyboardView } from './keyboard-view.js';
import { Keymap, START_OCTAVE } from './keymap.js';
import { listenToMidi, midiAvailable } from './midi-input.js';
import { NoteEngine } from './note-engine.js';
import { PacedTransport } from './pacer.js';
import { DEFAULT_ROOM, roomFromPath } from './room-name.js';
import { SessionClient } from './session.js';
import { SessionView } from './session-view.js';
import { Synth } from './synth.js';
import { CHAT_LIMIT, DEFAULT_KEYMAP, INSTRUMENTS } from './tables.js';
import { WebSocketTransport, relayUrl } from './transport.js';

// The page's texts first: everything below may write some.
await startLanguage();

const $ = (id) => document.getElementById(id);

// The room's name from the address until the relay gives it as first written.
const addressedRoom = roomFromPath(location.pathname) ?? DEFAULT_ROOM;
const showRoomName = (name) => {
    const shown = name || addressedRoom;
    $('room-name').textContent = shown;
    document.title = `Tamber Piano — ${shown}`;
};
showRoomName('');

$('copy-link').addEventListener('click', async () => {
    const link = new URL(location.href);
    link.search = link.hash = '';
    const state = $('copy-state');
    state.textContent =
        (await copyText(link.href)) ? t('room.linkCopied') : t('room.copyByHand', link.href);
});

const instrumentList = $('instrument');
for (const [program, entry] of INSTRUMENTS.entries())
    instrumentList.add(new Option(entry, String(program)));
const selectedInstrument = () => instrumentList.selectedIndex;

let baseOctave = START_OCTAVE;
const octaveButtons = [...document.querySelectorAll('#octaves button')];
const showOctave = () =>
    octaveButtons.forEach((button, i) => button.setAttribute('aria-pressed', String(i === baseOctave)));
octaveButtons.forEach((button, i) =>
    button.addEventListener('click', () => {
        // Sounding notes are left alone; the next key press uses the new octave.
        baseOctave = i;
        showOctave();
    }));
showOctave();

const audioStatus = $('audio');
const synth = new Synth((state, text) => {
    audioStatus.textContent = text;
    audioStatus.dataset.state = state;
});

const keyboardView = new KeyboardView($('keys'), $('labels'));
bindKeyboardScroll($('piano'), $('keys'), $('keys-move'), $('keys-down'), $('keys-up'));
const sessionView = new SessionView({
    status: $('status'),
    connect: $('connect'),
    transcript: $('transcript'),
    farewell: $('farewell'),
    farewellReason: $('farewell-reason'),
    users: $('users'),
    lockControl: $('lock-control'),
    lock: $('lock'),
    locked: $('room-locked'),
}, {
    showRoomName,
    sendCommand: (text) => session.sendChatText(text),
});
$('farewell-ok').addEventListener('click', () => $('farewell').close());

let session = null;
const engine = new NoteEngine({
    synth,
    keys: keyboardView,
    session: {
        sendSetPatch: (patch) => session.sendSetPatch(patch),
        sendNoteOn: (note, velocity) => session.sendNoteOn(note, velocity),
        sendNoteOff: (note) => session.sendNoteOff(note),
    },
    selectedInstrument,
    myUserId: () => session.myUserId,
});
const held = new HeldNotes(engine, () => session.myUserId);
const setTimer = (fn, ms) => {
    const timer = setTimeout(fn, ms);
    return () => clearTimeout(timer);
};
const socket = new WebSocketTransport(relayUrl(location.href), {
    onBytes: (bytes) => session.onBytes(bytes),
    onClosed: (opened, reason) => session.onClosed(opened, reason),
});
session = new SessionClient({
    transport: new PacedTransport(socket, { now: () => performance.now(), setTimer }),
    engine,
    held,
    view: sessionView,
    selectedInstrument,
    setTimer,
});

instrumentList.addEventListener('change', () => {
    engine.selectPatch(selectedInstrument(), session.myUserId, true);
    // Back to playing: with the list focused, the digit keys would pick instruments.
    instrumentList.blur();
});
engine.selectPatch(selectedInstrument(), 0, false);

$('connect').addEventListener('click', () => {
    if (session.phase === 'offline')
        session.connect();
    else
        session.disconnect();
});

$('chat').maxLength = CHAT_LIMIT;
$('chat-form').addEventListener('submit', (event) => {
    event.preventDefault();
    const input = $('chat');
    if (input.value.length === 0)
        return;
    session.sendChatText(input.value);
    input.value = '';
});

const midiButton = $('midi');
if (midiAvailable()) {
    midiButton.hidden = false;
    midiButton.addEventListener('click', async () => {
        try {
            const names = (await listenToMidi(held))();
            midiButton.textContent =
                t('midi.state', names.length ? names.join(', ') : t('midi.noInput'));
        } catch (error) {
            midiButton.textContent = t('midi.state', error.message || t('midi.notAllowed'));
        }
    });
}

// Audio may only start from a gesture; the first key or touch starts it.
for (const type of ['pointerdown', 'keydown'])
    window.addEventListener(type, () => synth.start(), { capture: true });
window.addEventListener('load', () => synth.prefetch());

bindComputerKeyboard(new Keymap(DEFAULT_KEYMAP), held, () => baseOctave);
bindPointer($('keys'), held);
session.connect();
