// The pages in the browser's language: a German browser gets the lobby and a room's page in
// German, with what the relay says left as it comes; ?lang= picks another; and in every
// language, on a phone and on a desktop, every control holds its text.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { startPages, watch } from './chromium.mjs';
import { pageModule } from './built-page.mjs';

const { LANGUAGES } = await pageModule('i18n.js');

// Room jazz, where this page (seat 2) is the owner beside Anna and Bob, and the room is locked:
// every button and mark an owner sees.
const GREETING = 'UserID\0User2\x002\0\x01ChatMsg\0Welcome to Corvent! This is room jazz.\0\x01' +
    'RoomInfo\0jazz\x002\x001\0\x01UserName\x001\0Anna\0\x01UserName\x002\0User2\0\x01' +
    'UserName\x003\0Bob\0\x01';

const problems = [];
let relay, browser, close;
before(async () => ({ relay, browser, close } = await startPages(
    (socket) => socket.send(Buffer.from(GREETING, 'latin1')), problems)));
after(() => close?.());

async function germanPage(options = {}) {
    const context = await browser.newContext({ locale: 'de-DE', ...options });
    const page = await context.newPage();
    await watch(page, problems);
    return { context, page };
}

const texts = (page, selector) => page.locator(selector).allTextContents();

test('a German browser gets the lobby in German', async () => {
    const { context, page } = await germanPage();
    relay.rooms = [{ name: 'jazz', players: 3, seats: 8 }, { name: 'Quiet', players: 8, seats: 8 }];
    await page.goto(relay.url);
    await page.waitForFunction(() => document.querySelectorAll('#rooms li').length === 2);
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'de');
    assert.equal(await page.title(), 'Tamber Piano — Räume');
    assert.deepEqual(await texts(page, 'h2'), ['Raum eröffnen oder betreten', 'Offene Räume']);
    assert.equal(await page.locator('#main-room').textContent(), 'Im Hauptraum spielen');
    assert.equal(await page.locator('#join-name').getAttribute('placeholder'), 'Raumname');
    assert.equal(await page.locator('#join-name').getAttribute('aria-label'), 'Raumname');
    assert.equal(await page.locator('#join-form button').textContent(), 'Zum Raum');
    assert.equal(await page.locator('#rooms').getAttribute('aria-label'), 'Offene Räume');
    assert.deepEqual(await texts(page, '#rooms li'),
        ['jazz 3 von 8 Plätzen belegt', 'Quiet 8 von 8 Plätzen belegt (voll)']);
    await page.locator('#join-name').fill('ja zz');
    await page.locator('#join-name').press('Enter');
    assert.equal(await page.locator('#join-error').textContent(),
        'Ein Raumname besteht aus 1 bis 24 Buchstaben, Ziffern, - oder _.');
    relay.rooms = [];
    await page.waitForFunction(() =>
        document.getElementById('rooms-state').textContent === 'Es sind keine Räume offen.');
    await context.close();
});

test('a German browser gets a room\'s page in German; what the relay says stays as it comes', async () => {
    const { context, page } = await germanPage();
    await page.goto(`${relay.url}r/jazz/`);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Verbunden als User2');
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'de');
    assert.equal(await page.locator('#room').textContent(), 'Raum jazz (gesperrt)');
    assert.equal(await page.locator('h1 a').getAttribute('title'), 'Alle Räume');
    assert.equal(await page.locator('#copy-link').textContent(), 'Link kopieren');
    assert.equal(await page.locator('#connect').textContent(), 'Trennen');
    assert.equal(await page.locator('legend').textContent(), 'Instrument');
    assert.equal(await page.locator('#octaves span').textContent(), 'Grundoktave');
    assert.equal(await page.locator('#audio').textContent(),
        'Der Klang startet mit Ihrer ersten Taste oder Berührung.');
    assert.deepEqual(await texts(page, '#keys-move button'), ['◀ Tiefer', 'Höher ▶']);
    assert.equal(await page.locator('#piano').getAttribute('aria-label'), 'Klaviatur');
    assert.equal(await page.locator('#chat').getAttribute('placeholder'), 'Chatten, oder /name NeuerName');
    assert.equal(await page.locator('#chat-form button').textContent(), 'Senden');
    assert.equal(await page.locator('#lock-control').textContent(), ' Sperren');
    assert.deepEqual(await texts(page, '#users li .name'), ['Anna', 'User2', 'Bob', '-', '-', '-', '-', '-']);
    assert.equal(await page.locator('#users li[data-seat="2"] .mark').textContent(), ' (Besitzer)');
    assert.deepEqual(await texts(page, '#users li[data-seat="3"] button'),
        ['Hinauswerfen', 'Eine Stunde verbannen', 'Zum Besitzer machen']);
    await page.getByRole('button', { name: 'Hinauswerfen: Bob' }).waitFor();
    // The relay's own lines are not the page's to translate.
    assert.deepEqual(await texts(page, '#transcript div'), ['Welcome to Corvent! This is room jazz.']);

    await page.locator('#copy-link').click();
    await page.waitForFunction(() => document.getElementById('copy-state').textContent !== '');
    assert.match(await page.locator('#copy-state').textContent(), /^(Link kopiert|Diesen Link bitte kopieren: http)/);

    const reason = 'You were sent out of room jazz by the owner.';
    relay.send(`Farewell\0${reason}\0\x01`);
    await page.waitForSelector('#farewell[open]');
    assert.equal(await page.locator('#farewell-reason').textContent(), reason);
    assert.equal(await page.locator('#status').textContent(), `Nicht verbunden: ${reason}`);
    assert.equal(await page.locator('#connect').textContent(), 'Verbinden');
    await context.close();
});

test('?lang= in the address chooses the language over the browser\'s', async () => {
    const { context, page } = await germanPage();
    await page.goto(`${relay.url}?lang=ru`);
    await page.waitForFunction(() => document.documentElement.lang === 'ru');
    assert.equal(await page.locator('#main-room').textContent(), 'Играть в главной комнате');
    // A language not offered leaves the browser's choice.
    await page.goto(`${relay.url}?lang=tlh`);
    await page.waitForFunction(() => document.documentElement.lang === 'de');
    await context.close();
});

test('a language whose texts do not load leaves the page in English, with a warning', async () => {
    // Not watched: the warning is what this page is to show.
    const context = await browser.newContext({ locale: 'de-DE' });
    const page = await context.newPage();
    const warnings = [];
    page.on('console', (m) => m.type() === 'warning' && warnings.push(m.text()));
    await page.route('**/i18n/de.json', (route) => route.fulfill({ status: 404 }));
    await page.goto(`${relay.url}r/jazz/`);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User2');
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'en');
    assert.equal(await page.locator('#copy-link').textContent(), 'Copy link');
    assert.deepEqual(warnings, ['The texts in de did not load (HTTP 404).']);
    await context.close();
});

// Controls whose text is cut off or runs out of their box, and whether the page is wider than
// the window; on both pages, in one language.
async function overflows(page) {
    return page.evaluate(() => {
        const found = [];
        const controls = document.querySelectorAll(
            'button, input, select, label, legend, h1, h2, p, a, #rooms li, #users li, dialog');
        for (const element of controls) {
            if (element.getClientRects().length === 0)
                continue;
            const box = element.getBoundingClientRect();
            const cut = element.scrollWidth > element.clientWidth + 1 ||
                element.scrollHeight > element.clientHeight + 1;
            // A text field's own text may scroll; its placeholder and box may not.
            const field = element.tagName === 'INPUT';
            if ((!field && cut) || box.right > window.innerWidth + 1 || box.left < -1)
                found.push(`${element.tagName}#${element.id} "${(element.textContent || element.placeholder || '').trim()}"`);
        }
        if (document.documentElement.scrollWidth > window.innerWidth)
            found.push(`the page is ${document.documentElement.scrollWidth} pixels wide`);
        return found;
    });
}

test('in every language, on a phone and on a desktop, every control holds its text', async () => {
    const found = [];
    for (const viewport of [{ width: 390, height: 844 }, { width: 1280, height: 800 }]) {
        const context = await browser.newContext({ viewport, locale: 'en-US' });
        const page = await context.newPage();
        await watch(page, problems);
        relay.rooms = [{ name: 'abcdefghijklmnopqrstuvwx', players: 8, seats: 8 }];
        for (const language of LANGUAGES) {
            await page.goto(`${relay.url}?lang=${language}`);
            await page.waitForFunction(() => document.querySelectorAll('#rooms li').length === 1);
            // The refusal, the longest line the lobby writes by itself.
            await page.locator('#join-name').fill('?');
            await page.locator('#join-name').press('Enter');
            found.push(...(await overflows(page)).map((o) => `${language} ${viewport.width} lobby: ${o}`));

            await page.goto(`${relay.url}r/jazz/?lang=${language}`);
            await page.waitForFunction(() => document.querySelectorAll('#users button').length === 6);
            found.push(...(await overflows(page)).map((o) => `${language} ${viewport.width} room: ${o}`));
        }
        await context.close();
    }
    assert.deepEqual(found, []);
});

test('nothing went wrong on the pages', () => {
    assert.deepEqual(problems, []);
});
