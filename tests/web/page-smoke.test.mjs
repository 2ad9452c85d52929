// The built page in headless Chromium against a scripted relay: it loads without errors,
// greets the relay, sends a key press as the desktop does, lights remote notes, chats and
// starts its synthesizer.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { webDir } from './built-page.mjs';
import { startRelay } from './fake-relay.mjs';

const modules = process.env.TAMBER_WEB_MODULES;
const { chromium } = createRequire(path.resolve(modules, 'x.js'))('playwright-core');
const SOUNDFONT = process.env.TAMBER_SOUNDFONT ?? '/usr/share/sounds/sf2/TimGM6mb.sf2';

let relay, browser, page;
const problems = [];

// Waits until the relay has received exactly these bytes since the page connected.
async function relayReceived(expected) {
    const deadline = Date.now() + 10000;
    while (relay.received.length < expected.length && Date.now() < deadline)
        await new Promise((resolve) => setTimeout(resolve, 10));
    assert.equal(JSON.stringify(relay.received), JSON.stringify(expected));
}

before(async () => {
    relay = await startRelay(path.resolve(webDir), SOUNDFONT);
    relay.onConnection = () => relay.send(
        'UserID\0User3\x003\0\x01ChatMsg\0Welcome to Corvent!\0\x01' +
        'UserName\x001\0Jos\xe9\0\x01UserName\x003\0User3\0\x01');
    browser = await chromium.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--no-first-run'],
    });
    page = await browser.newPage();
    page.on('console', (m) => {
        if (m.type() === 'error' || m.type() === 'warning')
            problems.push(`${m.type()}: ${m.text()}`);
    });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
    // The synthesizer's worklet logs to the page's console too, where only the protocol sees it.
    const cdp = await page.context().newCDPSession(page);
    cdp.on('Log.entryAdded', ({ entry }) => {
        if (entry.level === 'error' || entry.level === 'warning')
            problems.push(`${entry.level}: ${entry.text}`);
    });
    await cdp.send('Log.enable');
});

after(async () => {
    await browser?.close();
    relay?.close();
});

test('the page loads, shows the seats and greets the relay with its instrument', async (t) => {
    await page.goto(relay.url, { waitUntil: 'load' });
    const loadMs = await page.evaluate(() => performance.getEntriesByType('navigation')[0].loadEventEnd);
    t.diagnostic(`page loaded in ${Math.round(loadMs)} ms`);
    await relayReceived('SetPatch\x000\0\x01');
    await page.waitForFunction(() => document.querySelector('#users li:nth-child(3)')?.textContent === 'User3');
    assert.deepEqual(await page.locator('#users li').allTextContents(),
        ['José', '-', 'User3', '-', '-', '-', '-', '-']);
    assert.equal(await page.locator('#transcript').textContent(), 'Welcome to Corvent!');
    assert.equal(await page.locator('#status').textContent(), 'Connected as User3');
    assert.equal(await page.locator('[data-note]').count(), 61);
    assert.equal(await page.locator('#instrument option').first().textContent(), '1. Acoustic Grand Piano');
    assert.equal(await page.locator('#instrument option').last().textContent(), '128. Gunshot');
});

test('a key press sends SetPatch and NoteOn once, lights the key, and its release sends NoteOff', async () => {
    relay.received = '';
    await page.keyboard.down('KeyZ');
    await page.keyboard.down('KeyZ'); // auto-repeat
    await relayReceived('SetPatch\x000\0\x01NoteOn\x0072\x00127\0\x01');
    const key = page.locator('[data-note="72"]');
    assert.equal(await key.getAttribute('data-user'), '3');
    assert.equal(await key.evaluate((e) => getComputedStyle(e).backgroundColor), 'rgb(255, 1, 1)');
    await page.keyboard.up('KeyZ');
    await relayReceived('SetPatch\x000\0\x01NoteOn\x0072\x00127\0\x01NoteOff\x0072\0\x01');
    assert.equal(await key.getAttribute('data-user'), null);
});

test('the first gesture starts the synthesizer with the served soundfont', async () => {
    await page.waitForFunction(() => document.getElementById('audio').dataset.state !== 'loading',
        null, { timeout: 30000 });
    assert.equal(await page.locator('#audio').getAttribute('data-state'), 'running',
        await page.locator('#audio').textContent());
});

test('a remote note lights its key with the sender\'s id until it ends', async () => {
    relay.send('NoteOn\x0060\x00100\x005\0\x01');
    const key = page.locator('[data-note="60"]');
    await page.waitForSelector('[data-note="60"][data-user="5"]');
    assert.equal(await key.evaluate((e) => getComputedStyle(e).backgroundColor), 'rgb(255, 55, 255)');
    relay.send('NoteOff\x0060\x005\0\x01');
    await page.waitForSelector('[data-note="60"]:not([data-user])');
});

test('fingers on the keys play a chord', async () => {
    relay.received = '';
    const cdp = await page.context().newCDPSession(page);
    const centre = async (note) => {
        const box = await page.locator(`[data-note="${note}"]`).boundingBox();
        return { x: box.x + box.width / 2, y: box.y + box.height - 5, id: note };
    };
    const points = [await centre(48), await centre(52)];
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points });
    await page.waitForSelector('[data-note="52"][data-user="3"]');
    assert.equal(await page.locator('[data-note="48"]').getAttribute('data-user'), '3');
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    await page.waitForSelector('[data-note="48"]:not([data-user])');
    await relayReceived('SetPatch\x000\0\x01NoteOn\x0048\x00127\0\x01' +
        'SetPatch\x000\0\x01NoteOn\x0052\x00127\0\x01NoteOff\x0048\0\x01NoteOff\x0052\0\x01');
});

test('chat lines go out as typed and come back in the transcript; typing plays nothing', async () => {
    relay.received = '';
    await page.locator('#chat').fill('');
    await page.locator('#chat').pressSequentially('zx Grüße');
    await page.locator('#chat').press('Enter');
    await relayReceived('ChatMsg\0zx Gr\xfc\xdfe\0\x01');
    relay.send('ChatMsg\0User3: zx Gr\xfc\xdfe\0\x01');
    await page.waitForFunction(() => document.getElementById('transcript').childElementCount === 2);
    assert.equal(await page.locator('#transcript div').last().textContent(), 'User3: zx Grüße');
    assert.equal(await page.locator('#chat').inputValue(), '');
});

test('nothing went wrong on the page', () => {
    assert.deepEqual(problems, []);
});
