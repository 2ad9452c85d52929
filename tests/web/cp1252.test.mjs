import assert from 'node:assert/strict';
import { test } from 'node:test';
import { pageModule, text } from './built-page.mjs';

const { decode, encode, displayText } = await pageModule('cp1252.js');

test('every byte decodes to one character and encodes back to itself', () => {
    const all = Uint8Array.from({ length: 256 }, (_, b) => b);
    const decoded = decode(all);
    assert.equal(decoded.length, 256);
    assert.deepEqual(encode(decoded), all);
});

test('the typographic range and Latin-1 map as Windows-1252 does', () => {
    assert.equal(decode(Uint8Array.of(0x80, 0x85, 0x8a, 0x91, 0x92, 0x93, 0x94, 0x96, 0x97, 0x99, 0x9f)),
        '€…Š‘’“”–—™Ÿ');
    assert.equal(decode(Uint8Array.of(0x41, 0xa0, 0xe9, 0xff)), 'A\u00a0éÿ');
    assert.equal(text(encode('Grüße, “Anna” – 5 €')), 'Gr\xfc\xdfe, \x93Anna\x94 \x96 5 \x80');
});

test('characters without a byte become one "?" each', () => {
    assert.equal(text(encode('Ω日本🎹x\u0080')), '????x?');
    assert.equal(encode('🎹').length, 1);
});

test('shown text has no control characters', () => {
    assert.equal(displayText('a\tb\r\nc\u0000\u007f\u0081é€'), 'a b  c   é€');
});
