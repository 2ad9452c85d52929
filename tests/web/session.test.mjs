import assert from 'node:assert/strict';
import { test } from 'node:test';
import { bytes, pageModule, text } from './built-page.mjs';

const { NoteEngine } = await pageModule('note-engine.js');
const { HeldNotes } = await pageModule('held-notes.js');
const { SessionClient, GREETING_TIMEOUT_MS } = await pageModule('session.js');

// A page without a browser: the real engine, held notes and session over fakes that record.
function makePage() {
    const page = {
        sent: [], // messages sent to the relay, as text
        sounds: [], // synthesizer calls
        lit: new Map(), // key -> { colour, user }
        users: Array(8).fill('-'),
        lines: [],
        status: '',
        instrument: 0,
        timers: [],
        room: null,
        farewells: [],
    };
    const engine = new NoteEngine({
        synth: {
            noteOn: (ch, note, vel) => page.sounds.push(`on ${ch} ${note} ${vel}`),
            noteOff: (ch, note) => page.sounds.push(`off ${ch} ${note}`),
            programChange: (ch, p) => page.sounds.push(`program ${ch} ${p}`),
        },
        keys: {
            light: (key, colour, user) => page.lit.set(key, { colour, user }),
            unlight: (key) => page.lit.delete(key),
        },
        session: {
            sendSetPatch: (x) => page.session.sendSetPatch(x),
            sendNoteOn: (n, v) => page.session.sendNoteOn(n, v),
            sendNoteOff: (n) => page.session.sendNoteOff(n),
        },
        selectedInstrument: () => page.instrument,
        myUserId: () => page.session.myUserId,
    });
    page.engine = engine;
    page.held = new HeldNotes(engine, () => page.session.myUserId);
    page.transport = { opened: 0, closed: 0, open() { this.opened++; }, close() { this.closed++; },
        send: (b) => page.sent.push(text(b)) };
    page.session = new SessionClient({
        transport: page.transport,
        engine,
        held: page.held,
        view: {
            setStatus: (t) => { page.status = t; },
            startSession: (id, name) => {
                page.lines = [];
                page.users = Array(8).fill('-');
                page.users[id - 1] = name;
            },
            endSession: () => { page.users = Array(8).fill('-'); },
            appendChatLine: (line) => page.lines.push(line),
            setUserEntry: (i, name) => { page.users[i] = name; },
            setRoomInfo: (info) => { page.room = info; },
            showFarewell: (reason) => { page.farewells.push(reason); },
        },
        selectedInstrument: () => page.instrument,
        setTimer: (fn, ms) => {
            const timer = { fn, ms, cancelled: false };
            page.timers.push(timer);
            return () => { timer.cancelled = true; };
        },
    });
    page.receive = (t) => page.session.onBytes(bytes(t));
    page.join = (id = 3, name = `User${id}`) => {
        page.session.connect();
        page.receive(`UserID\0${name}\0${id}\0\x01ChatMsg\0Welcome to Corvent!\0\x01`);
    };
    return page;
}

test('joining announces the instrument; each key sends SetPatch then NoteOn, release NoteOff', () => {
    const page = makePage();
    page.instrument = 40;
    page.held.press('key:KeyZ', 72); // before joining: sounds locally, sends nothing
    assert.deepEqual(page.sent, []);
    assert.equal(page.lit.get(72 - 36).user, 0);
    page.join(3);
    assert.deepEqual(page.users, ['-', '-', 'User3', '-', '-', '-', '-', '-']);
    assert.deepEqual(page.lines, ['Welcome to Corvent!']);
    assert.equal(page.status, 'Connected as User3');
    // The note held while connecting ended on channel 0 before the id changed.
    assert.ok(page.sounds.includes('off 0 72'));
    assert.deepEqual(page.sent, ['SetPatch\x0040\0\x01']);

    page.sent.length = 0;
    page.held.press('key:KeyX', 74);
    page.held.press('key:KeyX', 74); // auto-repeat
    assert.deepEqual(page.sent, ['SetPatch\x0040\0\x01', 'NoteOn\x0074\x00127\0\x01']);
    assert.ok(page.sounds.includes('on 3 74 127'));
    assert.deepEqual(page.lit.get(74 - 36), { colour: 0x0101ff, user: 3 });
    page.held.release('key:KeyX');
    assert.equal(page.sent.at(-1), 'NoteOff\x0074\0\x01');
    assert.equal(page.lit.has(74 - 36), false);
});

test('remote notes sound on the sender\'s channel and light its colour; own echoes do not', () => {
    const page = makePage();
    page.join(3);
    page.sounds.length = 0;
    page.receive('NoteOn\x0060\x0064\x005\0\x01NoteOn\x0062\x00127\x003\0\x01');
    assert.deepEqual(page.sounds, ['on 5 60 64']);
    assert.deepEqual(page.lit.get(60 - 36), { colour: 255 + 127 * 256 + 255 * 65536, user: 5 });
    assert.equal(page.lit.has(62 - 36), false);
    page.receive('NoteOff\x0060\x005\0\x01NoteOff\x0062\x003\0\x01');
    assert.deepEqual(page.sounds, ['on 5 60 64', 'off 5 60']);
    assert.equal(page.lit.has(60 - 36), false);
    // Nothing that came from the relay is sent back to it.
    assert.deepEqual(page.sent, ['SetPatch\x000\0\x01']);
});

test('instrument changes apply to every channel, the own one included', () => {
    const page = makePage();
    page.join(3);
    page.sounds.length = 0;
    page.receive('SetPatch\x002\x005\0\x01SetPatch\x003\x0041\0\x01SetPatch\x002\x00200\0\x01');
    assert.deepEqual(page.sounds, ['program 2 5', 'program 3 41']);
});

test('seats and chat follow the relay; a departed player\'s notes stop', () => {
    const page = makePage();
    page.join(2, 'Jos\xe9');
    page.receive('UserName\x001\0Anna\0\x01UserName\x002\0Jos\xe9\0\x01UserName\x008\0Bob\0\x01');
    assert.deepEqual(page.users, ['Anna', 'José', '-', '-', '-', '-', '-', 'Bob']);
    page.receive('NoteOn\x0070\x00100\x001\0\x01UserName\x001\0-\0\x01');
    assert.equal(page.users[0], '-');
    assert.ok(page.sounds.includes('off 1 70'));
    page.receive('ChatMsg\0Anna: \x93hi\x94\tthere\0\x01');
    assert.deepEqual(page.lines, ['Welcome to Corvent!', 'Anna: “hi” there']);
    page.session.sendChatText('/name Zoë');
    page.session.sendChatText('');
    assert.equal(page.sent.at(-1), 'ChatMsg\0/name Zo\xeb\0\x01');
    assert.equal(page.sent.length, 2);
});

test('leaving stops every note, frees the seats and says why', () => {
    const cases = [
        // [what happens, expected status]
        [(p) => p.session.onClosed(false), 'Disconnected: could not connect to the server.'],
        [(p) => p.session.onClosed(true),
            'Disconnected: the server closed the connection before a seat was free; it may be full.'],
        [(p) => p.timers[0].fn(), 'Disconnected: the server did not answer.'],
        [(p) => { p.join(4); p.session.onClosed(true); }, 'Disconnected: the server closed the connection.'],
        [(p) => { p.join(4); p.session.onClosed(true, 'Too much\nheld for you.'); },
            'Disconnected: Too much held for you.'],
        [(p) => { p.join(4); p.session.disconnect(); }, 'Disconnected'],
    ];
    for (const [happen, status] of cases) {
        const page = makePage();
        page.session.connect();
        assert.equal(page.timers[0].ms, GREETING_TIMEOUT_MS);
        happen(page);
        assert.equal(page.status, status);
        assert.equal(page.session.phase, 'offline');
        assert.equal(page.session.myUserId, 0);
        assert.ok(page.transport.closed >= 1);
    }

    const page = makePage();
    page.instrument = 7;
    page.join(4);
    assert.equal(page.timers[0].cancelled, true);
    page.held.press('key:KeyZ', 72);
    page.receive('NoteOn\x0050\x00100\x006\0\x01');
    page.session.onClosed(true);
    assert.equal(page.lit.size, 0);
    assert.ok(page.sounds.includes('off 4 72') && page.sounds.includes('off 6 50'));
    assert.deepEqual(page.users, Array(8).fill('-'));
    assert.equal(page.sounds.at(-1), 'program 0 7');
    // Offline, notes sound on channel 0 and nothing goes out.
    const sent = page.sent.length;
    page.held.press('key:KeyZ', 72);
    assert.equal(page.sounds.at(-1), 'on 0 72 127');
    assert.equal(page.sent.length, sent);
    // A second connection starts clean.
    page.receive('Unfinished');
    page.join(5);
    assert.equal(page.session.myUserId, 5);
});

test('a held key stops the note it started, whatever changed meanwhile', () => {
    const page = makePage();
    page.join(3);
    page.held.press('key:KeyZ', 72);
    page.receive('UserID\0User1\x001\0\x01'); // a repeated greeting changes nothing
    assert.equal(page.session.myUserId, 3);
    page.held.release('key:KeyZ');
    assert.equal(page.sounds.at(-1), 'off 3 72');
    page.held.release('key:KeyZ'); // a release without a press sends nothing
    assert.equal(page.sent.filter((m) => m.startsWith('NoteOff')).length, 1);
});

test('the room\'s name, owner and lock come from RoomInfo once seated, and again when they change', () => {
    const page = makePage();
    page.session.connect();
    page.receive('RoomInfo\0jazz\x002\x000\0\x01'); // not seated yet: not this page's room
    assert.equal(page.room, null);
    page.receive('UserID\0User3\x003\0\x01ChatMsg\0Welcome to Corvent! This is room Jazz.\0\x01' +
        'RoomInfo\0Jazz\x003\x000\0\x01');
    assert.deepEqual(page.room, { name: 'Jazz', owner: 3, locked: false });
    page.receive('RoomInfo\0Jazz\x005\x001\0\x01RoomInfo\0Jazz\x009\x000\0\x01');
    assert.deepEqual(page.room, { name: 'Jazz', owner: 5, locked: true });
});

test('Farewell ends the session with its reason, seated or still waiting for a seat, for good', () => {
    const cases = [
        // [greeting first?, what the relay sends, the status line, the box]
        [true, 'ChatMsg\0You were sent out of room jazz by the owner.\0\x01' +
            'Farewell\0You were sent out of room jazz by the owner.\0\x01',
        'Disconnected: You were sent out of room jazz by the owner.',
        'You were sent out of room jazz by the owner.'],
        [false, 'ChatMsg\0Room jazz is locked.\0\x01Farewell\0Room jazz is locked.\0\x01',
            'Disconnected: Room jazz is locked.', 'Room jazz is locked.'],
        [false, 'Farewell\0\0\x01', 'Disconnected: the server sent you away.',
            'The server sent you away.'],
    ];
    for (const [seated, sent, status, box] of cases) {
        const page = makePage();
        if (seated)
            page.join(4);
        else
            page.session.connect();
        page.held.press('key:KeyZ', 72);
        page.receive(sent + 'ChatMsg\0after\0\x01');
        assert.equal(page.status, status);
        assert.deepEqual(page.farewells, [box]);
        assert.equal(page.session.phase, 'offline');
        assert.equal(page.lit.size, 0);
        assert.equal(page.transport.closed, 1);
        // The close that follows changes nothing, and nothing connects again by itself.
        page.session.onClosed(true);
        for (const timer of page.timers.filter((t) => !t.cancelled))
            timer.fn();
        assert.equal(page.status, status);
        assert.equal(page.transport.opened, 1);
        assert.ok(!page.lines.includes('after'));
    }
});
