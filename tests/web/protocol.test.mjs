import assert from 'node:assert/strict';
import { test } from 'node:test';
import { bytes, pageModule, text } from './built-page.mjs';

const p = await pageModule('protocol.js');
const { relayUrl } = await pageModule('transport.js');

test('messages are built byte for byte as the desktop builds them', () => {
    assert.deepEqual(p.noteOn(60, 127),
        Uint8Array.of(0x4e, 0x6f, 0x74, 0x65, 0x4f, 0x6e, 0, 0x36, 0x30, 0, 0x31, 0x32, 0x37, 0, 1));
    assert.equal(text(p.noteOff(0)), 'NoteOff\x000\0\x01');
    assert.equal(text(p.setPatch(127)), 'SetPatch\x00127\0\x01');
    // Chat text is Windows-1252; a pasted NUL or SOH must not cut the message apart.
    assert.equal(text(p.chatMsg('Grüße € ’a\u0000b\u0001')), 'ChatMsg\0Gr\xfc\xdfe \x80 \x92a b \0\x01');
    assert.equal(text(p.buildMessage([])), '\x01');
});

test('fields split at every NUL, without the empty one after the last', () => {
    const cases = [
        ['NoteOn\0' + '60\0', ['NoteOn', '60']],
        ['NoteOn', ['NoteOn']],
        ['', ['']],
        ['\0', ['']],
        ['a\0\0', ['a', '']],
        ['a\0b', ['a', 'b']],
    ];
    for (const [message, fields] of cases)
        assert.deepEqual(p.splitFields(bytes(message)).map(text), fields, JSON.stringify(message));
});

test('numbers are plain decimal digits within range', () => {
    const cases = [['0', 0], ['127', 127], ['007', 7], ['128', null], ['', null], ['-1', null],
        [' 1', null], ['1a', null], ['1234567890', null]];
    for (const [field, value] of cases)
        assert.equal(p.parseNumber(bytes(field), 127), value, field);
});

test('server messages are read with their fields checked', () => {
    const cases = [
        ['UserID\0User3\x003\0', { type: 'UserID', name: 'User3', id: 3 }],
        ['NoteOn\x0060\x00127\x005\0', { type: 'NoteOn', note: 60, velocity: 127, user: 5 }],
        ['NoteOff\x0060\x005\0', { type: 'NoteOff', note: 60, user: 5 }],
        ['SetPatch\x002\x0040\0', { type: 'SetPatch', user: 2, patch: 40 }],
        ['ChatMsg\0Jos\xe9: \x93hi\x94\0', { type: 'ChatMsg', line: 'José: “hi”' }],
        ['UserName\x008\0-\0', { type: 'UserName', user: 8, name: '-' }],
        ['RoomInfo\0jazz\x000\x000\0', { type: 'RoomInfo', name: 'jazz', owner: 0, locked: false }],
        ['RoomInfo\0Jazz-2\x008\x001\0', { type: 'RoomInfo', name: 'Jazz-2', owner: 8, locked: true }],
        ['Farewell\0Room jazz is full.\0', { type: 'Farewell', reason: 'Room jazz is full.' }],
        // A faulty peer's values are relayed unchecked; none may reach the synthesizer.
        ['NoteOn\x00abc\x001000\x003\0', null],
        ['NoteOn\x0060\x00128\x003\0', null],
        ['NoteOn\x0060\x00127\0', null],
        ['NoteOff\x0060\x009\0', null],
        ['SetPatch\x000\x005\0', null],
        ['UserName\x000\0Anna\0', null],
        ['UserID\0User9\x009\0', null],
        ['RoomInfo\0jazz\x009\x000\0', null],
        ['RoomInfo\0jazz\x001\x002\0', null],
        ['RoomInfo\0jazz\x001\0', null],
        ['Farewell\0', null],
        ['noteon\x0060\x00127\x003\0', null],
        ['Stop\0', null],
    ];
    for (const [message, parsed] of cases)
        assert.deepEqual(p.parseServerMessage(bytes(message)), parsed, JSON.stringify(message));
});

test('the receive buffer cuts messages at SOH across reads and skips over-long text', () => {
    const a = new p.MessageAssembler(16);
    assert.deepEqual(a.feed(bytes('NoteOff\x0060\x003\0\x01ChatMsg\0hi\0\x01')).map(text),
        ['NoteOff\x0060\x003\0', 'ChatMsg\0hi\0']);
    assert.deepEqual(a.feed(bytes('Note')), []);
    assert.deepEqual(a.feed(bytes('On\0\x01\x01')).map(text), ['NoteOn\0', '']);
    // Past the cap without an SOH: dropped, and its tail up to the next SOH too.
    assert.deepEqual(a.feed(bytes('ChatMsg\0aaaaaaaaaaaaaaa')), []);
    assert.deepEqual(a.feed(bytes('tail\x01X\0\x01')).map(text), ['X\0']);
    a.feed(bytes('unfinished'));
    a.clear();
    assert.deepEqual(a.feed(bytes('Y\0\x01')).map(text), ['Y\0']);
});

test('outgoing messages share WebSocket messages up to the relay limit, whole and in order', () => {
    const m = (n) => new Uint8Array(n).fill(n);
    const frames = p.packMessages([m(3), m(4), m(2), m(9), m(1)], 9);
    assert.deepEqual(frames.map((f) => [...f]), [
        [3, 3, 3, 4, 4, 4, 4, 2, 2], [9, 9, 9, 9, 9, 9, 9, 9, 9], [1]]);
    assert.equal(p.packMessages([]).length, 0);
    const burst = Array.from({ length: 384 }, (_, n) => p.noteOn(n % 128, 127));
    const packed = p.packMessages(burst);
    assert.ok(packed.length > 1 && packed.every((f) => f.length <= p.MAX_SOCKET_MESSAGE));
    assert.equal(packed.map(text).join(''), burst.map(text).join(''));
});

test('the relay is at ws beside the page, secure when the page is', () => {
    const cases = [
        ['http://piano.lan:8080/', 'ws://piano.lan:8080/ws'],
        ['https://example.org/', 'wss://example.org/ws'],
        ['https://example.org/piano/index.html?x=1#top', 'wss://example.org/piano/ws'],
        ['http://piano.lan:8080/r/jazz/', 'ws://piano.lan:8080/r/jazz/ws'],
        ['https://example.org/r/Jazz_2/?x#y', 'wss://example.org/r/Jazz_2/ws'],
    ];
    for (const [page, relay] of cases)
        assert.equal(relayUrl(page), relay, page);
});
