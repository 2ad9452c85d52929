import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { test } from 'node:test';
import { pageModule } from './built-page.mjs';

const { paintKey, cssColour } = await pageModule('paint-key.js');

test('the page colours keys exactly as the desktop does, for every user and velocity', () => {
    const dump = process.env.TAMBER_PAINT_KEY_DUMP;
    assert.ok(dump, 'TAMBER_PAINT_KEY_DUMP must name the paint_key_dump program');
    const lines = execFileSync(dump, { encoding: 'utf8', maxBuffer: 16 << 20 }).trim().split('\n');
    assert.equal(lines.length, 256 * 256);
    const wrong = lines.filter((line) => {
        const [user, velocity, colour] = line.split(' ').map(Number);
        return paintKey(user, velocity) !== colour;
    });
    assert.deepEqual(wrong.slice(0, 5), []);
});

test('colours are written as CSS in red, green, blue order', () => {
    assert.equal(cssColour(paintKey(3, 127)), '#ff0101');
    assert.equal(cssColour(paintKey(5, 64)), '#ff7fff');
    assert.equal(cssColour(paintKey(0, 127)), '#0101ff');
    assert.equal(cssColour(paintKey(9, 127)), '#000000');
});
