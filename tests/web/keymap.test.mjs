import assert from 'node:assert/strict';
import { test } from 'node:test';
import { pageModule } from './built-page.mjs';

const { Keymap, START_OCTAVE, virtualKeyFor } = await pageModule('keymap.js');
const { DEFAULT_KEYMAP } = await pageModule('tables.js');
const { midiNoteEvent } = await pageModule('midi-input.js');

const lowerRow = ['KeyZ', 'KeyS', 'KeyX', 'KeyD', 'KeyC', 'KeyV', 'KeyG', 'KeyB', 'KeyH', 'KeyN',
    'KeyJ', 'KeyM'];
const upperRow = ['KeyQ', 'Digit2', 'KeyW', 'Digit3', 'KeyE', 'KeyR', 'Digit5', 'KeyT', 'Digit6',
    'KeyY', 'Digit7', 'KeyU', 'KeyI', 'Digit9', 'KeyO', 'Digit0', 'KeyP'];

test('the default keymap plays the two rows by key position, from the desktop table', () => {
    const keymap = new Keymap(DEFAULT_KEYMAP);
    assert.equal(START_OCTAVE, 3);
    [...lowerRow, ...upperRow].forEach((code, offset) => {
        assert.equal(keymap.noteFor(code, 0), 36 + offset, code);
        assert.equal(keymap.noteFor(code, START_OCTAVE), 72 + offset, code);
    });
    assert.equal(keymap.noteFor('KeyP', 4), 112);
    for (const code of ['KeyA', 'Digit1', 'Digit4', 'Digit8', 'Space', 'ShiftLeft', 'Comma', 'Foo'])
        assert.equal(keymap.noteFor(code, START_OCTAVE), null, code);
});

test('key positions carry the US virtual-key codes a keymap file stores', () => {
    const cases = [['KeyA', 0x41], ['KeyZ', 0x5a], ['Digit0', 0x30], ['Numpad7', 0x67],
        ['Semicolon', 0xba], ['Quote', 0xde], ['IntlBackslash', 0xe2], ['Space', 0x20],
        ['Unidentified', null]];
    for (const [code, vk] of cases)
        assert.equal(virtualKeyFor(code), vk, code);
});

test('MIDI note messages of any channel play; velocity 0 ends the note', () => {
    const cases = [
        [[0x90, 60, 100], { on: true, note: 60, velocity: 100 }],
        [[0x93, 61, 1], { on: true, note: 61, velocity: 1 }],
        [[0x90, 60, 0], { on: false, note: 60 }],
        [[0x8f, 60, 64], { on: false, note: 60 }],
        [[0xb0, 64, 127], null],
        [[0xc0, 5], null],
        [[0xfe], null],
    ];
    for (const [data, event] of cases)
        assert.deepEqual(midiNoteEvent(Uint8Array.from(data)), event, JSON.stringify(data));
});
