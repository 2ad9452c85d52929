// The page's texts in the player's own language: one JSON file per language in /i18n/, keyed
// as en.json, the source. The language follows the browser's list of preferred languages
// (?lang=xx in the address comes first); whatever a language lacks is said in English.
// Texts from the relay (chat, names, reasons) are never passed through here.

// en first: the source, and the fallback for everything.
export const LANGUAGES = ['en', 'de', 'fr', 'es', 'it', 'pt-BR', 'ru', 'ja', 'zh-CN'];
export const SOURCE_LANGUAGE = 'en';
// A server that does not answer must not keep the page from starting: it starts in English.
const LOAD_TIMEOUT_MS = 5000;

const primary = (tag) => tag.split('-')[0].toLowerCase();

// The first preferred language offered: by its whole tag, or else by its language alone
// ("pt-PT" gets pt-BR, "zh-TW" zh-CN), in the order of preference; English otherwise.
export function chooseLanguage(preferred, offered = LANGUAGES) {
    for (const tag of preferred) {
        if (typeof tag !== 'string' || tag === '')
            continue;
        const exact = offered.find((language) => language.toLowerCase() === tag.toLowerCase());
        if (exact)
            return exact;
        const near = offered.find((language) => primary(language) === primary(tag));
        if (near)
            return near;
    }
    return SOURCE_LANGUAGE;
}

// "{0} of {1}" with the arguments in place; a placeholder without an argument stays as it is.
export function format(template, args) {
    return template.replace(/\{(\d+)\}/g,
        (whole, n) => (Number(n) < args.length ? String(args[Number(n)]) : whole));
}

// Only text entries count: a broken file must not put objects or numbers on the page.
const textsOf = (table) => {
    const texts = new Map();
    if (table !== null && typeof table === 'object' && !Array.isArray(table)) {
        for (const [key, value] of Object.entries(table)) {
            if (typeof value === 'string')
                texts.set(key, value);
        }
    }
    return texts;
};

let english = new Map();
let chosen = new Map();
let language = SOURCE_LANGUAGE;

// Sets the texts in use: English's table, and the chosen language's (its missing keys fall
// back to English).
export function useTexts(englishTable, table = englishTable, tag = SOURCE_LANGUAGE) {
    english = textsOf(englishTable);
    chosen = textsOf(table);
    language = tag;
}

export const currentLanguage = () => language;

const textFor = (key) => chosen.get(key) ?? english.get(key);

// The text for `key` with its {N} arguments filled in.
export function t(key, ...args) {
    const template = textFor(key);
    if (template === undefined) {
        console.warn(`No text for "${key}"`);
        return key;
    }
    return format(template, args);
}

// The attributes a page marks for translation, beside data-i18n for the element's text.
const ATTRIBUTES = ['title', 'placeholder', 'aria-label'];

// Puts the texts in use into every marked element below root; an element whose text is not
// known keeps the English it was written with.
export function translatePage(root) {
    for (const element of root.querySelectorAll('[data-i18n]')) {
        const text = textFor(element.dataset.i18n);
        if (text !== undefined)
            element.textContent = text;
    }
    for (const attribute of ATTRIBUTES) {
        for (const element of root.querySelectorAll(`[data-i18n-${attribute}]`)) {
            const text = textFor(element.getAttribute(`data-i18n-${attribute}`));
            if (text !== undefined)
                element.setAttribute(attribute, text);
        }
    }
}

async function fetchTexts(tag) {
    const response = await fetch(`/i18n/${tag}.json`,
        { signal: AbortSignal.timeout(LOAD_TIMEOUT_MS) });
    if (!response.ok)
        throw new Error(`HTTP ${response.status}`);
    return response.json();
}

// Chooses the page's language, loads its texts and translates the page. A language that cannot
// be loaded leaves the page in English, with a warning in the console.
export async function startLanguage() {
    const asked = new URLSearchParams(location.search).get('lang');
    // Browsers without the list give the one language.
    const preferred = navigator.languages?.length ? navigator.languages : [navigator.language];
    const tag = chooseLanguage([...(asked ? [asked] : []), ...preferred]);
    const load = (wanted) => fetchTexts(wanted).catch((error) => {
        console.warn(`The texts in ${wanted} did not load (${error.message}).`);
        return null;
    });
    const [englishTable, table] = await Promise.all(
        [load(SOURCE_LANGUAGE), tag === SOURCE_LANGUAGE ? null : load(tag)]);
    useTexts(englishTable, table ?? englishTable, table ? tag : SOURCE_LANGUAGE);
    document.documentElement.lang = currentLanguage();
    translatePage(document);
}
