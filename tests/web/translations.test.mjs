// The page's translations kept up with its English: every language file has exactly the keys
// of en.json, every text in it keeps the {N} arguments of its English, the pages use exactly
// those keys, and every language offered ships. Fails as soon as a text changes in one place only.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { test } from 'node:test';
import { pageModule, webDir } from './built-page.mjs';

const { LANGUAGES, SOURCE_LANGUAGE } = await pageModule('i18n.js');
const sourceDir = fileURLToPath(new URL('../../web/', import.meta.url));
const textsDir = path.join(sourceDir, 'i18n');

const read = (file) => fs.readFileSync(file, 'utf8');
const load = (language) => JSON.parse(read(path.join(textsDir, `${language}.json`)));
const english = load(SOURCE_LANGUAGE);
const argumentsOf = (text) => [...new Set(text.match(/\{\d+\}/g) ?? [])].sort();

test('every language offered has its file, and every file is a language offered', () => {
    const files = fs.readdirSync(textsDir).sort();
    assert.deepEqual(files, LANGUAGES.map((language) => `${language}.json`).sort());
    // The build copies them all, unchanged.
    for (const file of files)
        assert.equal(read(path.join(webDir, 'i18n', file)), read(path.join(textsDir, file)), file);
});

test('every language has exactly the keys of English, each a text with the same arguments', () => {
    const problems = [];
    for (const language of LANGUAGES) {
        const texts = load(language);
        for (const key of Object.keys(english)) {
            if (!(key in texts))
                problems.push(`${language}: "${key}" is missing`);
        }
        for (const [key, text] of Object.entries(texts)) {
            if (!(key in english)) {
                problems.push(`${language}: "${key}" is no longer used`);
            } else if (typeof text !== 'string' || text.trim() === '') {
                problems.push(`${language}: "${key}" is not a text`);
            } else if (argumentsOf(text).join() !== argumentsOf(english[key]).join()) {
                problems.push(`${language}: "${key}" has ${argumentsOf(text).join(' ') || 'no arguments'}, ` +
                    `English ${argumentsOf(english[key]).join(' ') || 'none'}`);
            }
        }
    }
    assert.deepEqual(problems, []);
});

// Every key the pages ask for: data-i18n and data-i18n-ATTRIBUTE in the HTML, t('key', ...) in
// the modules. The English written in the HTML (what shows before the texts load) must be
// en.json's.
function keysUsed() {
    const used = new Set();
    const problems = [];
    for (const page of ['index.html', 'room.html']) {
        const html = read(path.join(sourceDir, page));
        for (const [, tag, text] of html.matchAll(/<([^!/][^>]*)>([^<]*)/g)) {
            const attributes = Object.fromEntries(
                [...tag.matchAll(/([\w-]+)="([^"]*)"/g)].map(([, name, value]) => [name, value]));
            for (const [name, key] of Object.entries(attributes)) {
                const marked = /^data-i18n(?:-(.+))?$/.exec(name);
                if (!marked)
                    continue;
                used.add(key);
                const shown = marked[1] ? attributes[marked[1]] : text;
                if (shown !== english[key])
                    problems.push(`${page}: "${key}" shows ${JSON.stringify(shown)}`);
            }
        }
    }
    const modules = path.join(sourceDir, 'js');
    for (const file of fs.readdirSync(modules)) {
        for (const [, key] of read(path.join(modules, file)).matchAll(/\bt\('([^']+)'/g))
            used.add(key);
    }
    return { used, problems };
}

test('the pages ask for exactly the keys of English, and their English is en.json\'s', () => {
    const { used, problems } = keysUsed();
    assert.deepEqual(problems, []);
    assert.deepEqual([...used].filter((key) => !(key in english)), [], 'asked for, not in en.json');
    assert.deepEqual(Object.keys(english).filter((key) => !used.has(key)), [], 'in en.json, never asked for');
});
