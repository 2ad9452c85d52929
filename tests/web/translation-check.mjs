// What keeps the page's translations from falling behind its English, over the source tree:
//   - every language the page offers (js/i18n.js) has its file in web/i18n/, and no other file
//     is there; the languages are those of translations/languages.txt, as the programs ship;
//   - every language file has exactly the keys of en.json, each a text keeping the {N}
//     arguments of its English;
//   - the pages ask for exactly those keys, and the English written in their HTML is en.json's.
// Run as a program (scripts/check-translations.sh does) it prints what is wrong and fails.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const read = (file) => fs.readFileSync(file, 'utf8');
const argumentsOf = (text) => [...new Set(text.match(/\{\d+\}/g) ?? [])].sort().join(' ');

// root: the source tree. Each check's problems, as lines to show.
export async function translationProblems(root) {
    const web = path.join(root, 'web');
    const textsDir = path.join(web, 'i18n');
    const i18n = pathToFileURL(path.join(web, 'js', 'i18n.js')).href;
    const { LANGUAGES, SOURCE_LANGUAGE } = await import(i18n);
    const load = (language) => JSON.parse(read(path.join(textsDir, `${language}.json`)));
    const english = load(SOURCE_LANGUAGE);
    const problems = { languages: [], keys: [], pages: [] };

    const files = fs.readdirSync(textsDir).sort();
    const wanted = LANGUAGES.map((language) => `${language}.json`).sort();
    for (const file of files.filter((f) => !wanted.includes(f)))
        problems.languages.push(`web/i18n/${file} is not a language in js/i18n.js`);
    for (const file of wanted.filter((f) => !files.includes(f)))
        problems.languages.push(`web/i18n/${file} is missing`);
    // The programs' list: Qt's codes (pt_BR), the page's tags (pt-BR).
    const list = path.join(root, 'translations', 'languages.txt');
    if (fs.existsSync(list)) {
        const shipped = read(list).split('\n').filter((line) => /^[a-z]/.test(line))
            .map((line) => line.split(' ')[0].replace('_', '-'));
        const offered = LANGUAGES.filter((language) => language !== SOURCE_LANGUAGE);
        if ([...shipped].sort().join() !== [...offered].sort().join())
            problems.languages.push(`js/i18n.js offers ${offered.join(' ')}, ` +
                `translations/languages.txt ${shipped.join(' ')}`);
    }

    for (const language of LANGUAGES.filter((l) => files.includes(`${l}.json`))) {
        const texts = load(language);
        for (const key of Object.keys(english).filter((k) => !(k in texts)))
            problems.keys.push(`${language}: "${key}" is missing`);
        for (const [key, text] of Object.entries(texts)) {
            if (!(key in english)) {
                problems.keys.push(`${language}: "${key}" is no longer used`);
            } else if (typeof text !== 'string' || text.trim() === '') {
                problems.keys.push(`${language}: "${key}" is not a text`);
            } else if (argumentsOf(text) !== argumentsOf(english[key])) {
                problems.keys.push(`${language}: "${key}" has ${argumentsOf(text) || 'no arguments'}, ` +
                    `English ${argumentsOf(english[key]) || 'none'}`);
            }
        }
    }

    // data-i18n and data-i18n-ATTRIBUTE in the HTML, t('key', ...) in the modules.
    const used = new Set();
    for (const page of ['index.html', 'room.html']) {
        for (const [, tag, text] of read(path.join(web, page)).matchAll(/<([^!/][^>]*)>([^<]*)/g)) {
            const attributes = Object.fromEntries(
                [...tag.matchAll(/([\w-]+)="([^"]*)"/g)].map(([, name, value]) => [name, value]));
            for (const [name, key] of Object.entries(attributes)) {
                const marked = /^data-i18n(?:-(.+))?$/.exec(name);
                if (!marked)
                    continue;
                used.add(key);
                const shown = marked[1] ? attributes[marked[1]] : text;
                if (key in english && shown !== english[key])
                    problems.pages.push(`${page}: "${key}" shows ${JSON.stringify(shown)}, en.json ` +
                        JSON.stringify(english[key]));
            }
        }
    }
    for (const file of fs.readdirSync(path.join(web, 'js'))) {
        for (const [, key] of read(path.join(web, 'js', file)).matchAll(/\bt\('([^']+)'/g))
            used.add(key);
    }
    for (const key of [...used].filter((k) => !(k in english)))
        problems.pages.push(`"${key}" is asked for but not in en.json`);
    for (const key of Object.keys(english).filter((k) => !used.has(k)))
        problems.pages.push(`"${key}" is in en.json but never asked for`);
    return problems;
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const root = process.argv[2] ?? fileURLToPath(new URL('../../', import.meta.url));
    const lines = Object.values(await translationProblems(root)).flat();
    for (const line of lines)
        console.error(line);
    if (lines.length > 0)
        process.exit(1);
    console.log('The browser piano\'s translations are complete.');
}
