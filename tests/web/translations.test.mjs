// The page's translations kept up with its English (translation-check.mjs, which
// scripts/check-translations.sh runs too), and every one of them built beside the page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { test } from 'node:test';
import { webDir } from './built-page.mjs';
import { translationProblems } from './translation-check.mjs';

const root = fileURLToPath(new URL('../../', import.meta.url));
const problems = await translationProblems(root);

test('every language offered has its file, and every file is a language offered', () => {
    assert.deepEqual(problems.languages, []);
    // The build copies them all, unchanged.
    const textsDir = path.join(root, 'web', 'i18n');
    for (const file of fs.readdirSync(textsDir)) {
        assert.equal(fs.readFileSync(path.join(webDir, 'i18n', file), 'utf8'),
            fs.readFileSync(path.join(textsDir, file), 'utf8'), file);
    }
});

test('every language has exactly the keys of English, each a text with the same arguments', () => {
    assert.deepEqual(problems.keys, []);
});

test('the pages ask for exactly the keys of English, and their English is en.json\'s', () => {
    assert.deepEqual(problems.pages, []);
});
