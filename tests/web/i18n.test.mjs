// The page's language: which one a browser's preferences choose, the arguments put into a
// text, and English for whatever a language lacks.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { pageModule, pageTexts } from './built-page.mjs';

const i18n = await pageModule('i18n.js');

test('the first preferred language offered wins, by its whole tag or else by its language', () => {
    const cases = [
        [['de-DE', 'en'], 'de'],
        [['de'], 'de'],
        [['pt-BR'], 'pt-BR'],
        [['pt-PT'], 'pt-BR'],
        [['pt'], 'pt-BR'],
        [['zh-cn'], 'zh-CN'],
        [['zh-TW', 'ja'], 'zh-CN'],
        [['ja-JP'], 'ja'],
        [['RU'], 'ru'],
        // The order of preference counts, not the order of the page's list.
        [['en-GB', 'de'], 'en'],
        [['nl', 'sv', 'fr-CA', 'es'], 'fr'],
        [['it-CH', 'de-CH'], 'it'],
        // Nothing offered, or nothing usable: English.
        [['nl', 'sv'], 'en'],
        [[], 'en'],
        [['', null, 42], 'en'],
    ];
    for (const [preferred, chosen] of cases)
        assert.equal(i18n.chooseLanguage(preferred), chosen, JSON.stringify(preferred));
});

test('a text gets its arguments in place, however often and in whatever order', () => {
    const cases = [
        ['{0} of {1} seats taken', [3, 8], '3 of 8 seats taken'],
        ['{1}席中{0}席使用中', [3, 8], '8席中3席使用中'],
        ['{0} and {0}', ['a'], 'a and a'],
        ['no arguments', ['a'], 'no arguments'],
        // A missing argument shows as what it is rather than as "undefined".
        ['{0}: {1}', ['Kick'], 'Kick: {1}'],
        ['{10}', Array.from({ length: 11 }, (_, i) => i), '10'],
        // An argument is put in as it is, never read as a placeholder itself.
        ['Connected as {0}', ['{1}$&'], 'Connected as {1}$&'],
    ];
    for (const [template, args, text] of cases)
        assert.equal(i18n.format(template, args), text, template);
});

test('a language\'s missing or broken entries are said in English; unknown keys as themselves', (t) => {
    const english = pageTexts('en');
    const warnings = [];
    t.mock.method(console, 'warn', (line) => warnings.push(line));
    try {
        i18n.useTexts(english, { 'room.connect': 'Verbinden', 'room.disconnect': 7 }, 'de');
        assert.equal(i18n.currentLanguage(), 'de');
        assert.equal(i18n.t('room.connect'), 'Verbinden');
        assert.equal(i18n.t('room.disconnect'), 'Disconnect');
        assert.equal(i18n.t('status.connectedAs', 'User2'), 'Connected as User2');
        assert.deepEqual(warnings, []);
        assert.equal(i18n.t('no.such.key'), 'no.such.key');
        assert.equal(warnings.length, 1);
        i18n.useTexts(english, pageTexts('de'), 'de');
        assert.equal(i18n.t('status.connectedAs', 'User2'), 'Verbunden als User2');
    } finally {
        i18n.useTexts(english);
    }
    assert.equal(i18n.currentLanguage(), 'en');
    assert.equal(i18n.t('room.connect'), 'Connect');
});
