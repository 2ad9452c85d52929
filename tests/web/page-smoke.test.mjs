// The built pages in headless Chromium against a scripted relay: the lobby lists rooms and
// leads into one; a room's page loads without errors, greets the relay, sends a key press as
// the desktop does, lights remote notes, chats and starts its synthesizer.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { startPages } from './chromium.mjs';

const problems = [];
let relay, page, close;
before(async () => ({ relay, page, close } = await startPages((socket) => socket.send(Buffer.from(
    'UserID\0User3\x003\0\x01ChatMsg\0Welcome to Corvent!\0\x01' +
    'UserName\x001\0Jos\xe9\0\x01UserName\x003\0User3\0\x01', 'latin1')), problems)));
after(() => close?.());

test('the lobby lists the open rooms, keeps the list fresh and leads into a room by name', async () => {
    relay.rooms = [{ name: 'jazz', players: 3, seats: 8 }, { name: 'Quiet', players: 8, seats: 8 }];
    await page.goto(relay.url);
    await page.waitForFunction(() => document.querySelectorAll('#rooms li').length === 2);
    assert.deepEqual(await page.locator('#rooms li').allTextContents(),
        ['jazz 3 of 8 seats taken', 'Quiet 8 of 8 seats taken (full)']);
    assert.deepEqual(await page.locator('#rooms a').evaluateAll((links) => links.map((a) => a.href)),
        [`${relay.url}r/jazz/`, `${relay.url}r/Quiet/`]);
    // Rooms fill and empty while the lobby is open.
    relay.rooms = [{ name: 'jazz', players: 4, seats: 8 }];
    await page.waitForFunction(() => document.getElementById('rooms').textContent === 'jazz 4 of 8 seats taken',
        null, { timeout: 10000 });
    relay.rooms = [];
    await page.waitForFunction(() => document.getElementById('rooms-state').textContent === 'No rooms are open.',
        null, { timeout: 10000 });

    await page.locator('#join-name').fill('ja zz');
    await page.locator('#join-name').press('Enter');
    assert.equal(await page.locator('#join-error').textContent(),
        'A room name is 1 to 24 letters, digits, - or _.');
    assert.equal(page.url(), relay.url);
    await page.locator('#join-name').fill(' Jazz_2 ');
    await page.locator('#join-name').press('Enter');
    await page.waitForURL(`${relay.url}r/Jazz_2/`);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User3');
    assert.equal(relay.connections.at(-1).room, 'Jazz_2');
    assert.equal(await page.locator('#room-name').textContent(), 'Jazz_2');
});

test('the main room is one click from the lobby, and a room\'s address without its slash leads there', async () => {
    await page.goto(`${relay.url}r/Jazz_2`);
    assert.equal(page.url(), `${relay.url}r/Jazz_2/`);
    await page.goto(relay.url);
    await page.waitForFunction(() => document.getElementById('rooms-state').textContent === 'No rooms are open.');
    // Every page before this one has let go of its connection.
    const open = () => relay.connections.some((c) => c.socket.readyState !== c.socket.CLOSED);
    const deadline = Date.now() + 10000;
    while (open() && Date.now() < deadline)
        await new Promise((resolve) => setTimeout(resolve, 10));
    assert.equal(open(), false, 'an earlier page still holds its connection');
    relay.received = '';
    await page.locator('#main-room').click();
    await page.waitForURL(`${relay.url}r/main/`);
});

test('the room\'s page loads, shows the seats and greets the relay with its instrument', async (t) => {
    await page.waitForLoadState('load');
    const loadMs = await page.evaluate(() => performance.getEntriesByType('navigation')[0].loadEventEnd);
    t.diagnostic(`page loaded in ${Math.round(loadMs)} ms`);
    await relay.expectReceived('SetPatch\x000\0\x01');
    await page.waitForFunction(() => document.querySelector('#users li:nth-child(3)')?.textContent === 'User3');
    assert.deepEqual(await page.locator('#users li').allTextContents(),
        ['José', '-', 'User3', '-', '-', '-', '-', '-']);
    assert.equal(await page.locator('#transcript').textContent(), 'Welcome to Corvent!');
    assert.equal(await page.locator('#status').textContent(), 'Connected as User3');
    assert.equal(relay.connections.at(-1).room, 'main');
    assert.equal(await page.locator('#room-name').textContent(), 'main');
    assert.equal(await page.title(), 'Tamber Piano — main');
    // A screen this wide shows every key, with nothing to move along.
    assert.equal(await page.locator('[data-note]').count(), 61);
    assert.equal(await page.locator('#keys-move').isHidden(), true);
    assert.equal(await page.evaluate(() => {
        const piano = document.getElementById('piano');
        return piano.scrollWidth <= piano.clientWidth;
    }), true);
    assert.equal(await page.locator('#instrument option').first().textContent(), '1. Acoustic Grand Piano');
    assert.equal(await page.locator('#instrument option').last().textContent(), '128. Gunshot');
});

test('a key press sends SetPatch and NoteOn once, lights the key, and its release sends NoteOff', async () => {
    relay.received = '';
    await page.keyboard.down('KeyZ');
    await page.keyboard.down('KeyZ'); // auto-repeat
    await relay.expectReceived('SetPatch\x000\0\x01NoteOn\x0072\x00127\0\x01');
    const key = page.locator('[data-note="72"]');
    assert.equal(await key.getAttribute('data-user'), '3');
    assert.equal(await key.evaluate((e) => getComputedStyle(e).backgroundColor), 'rgb(255, 1, 1)');
    await page.keyboard.up('KeyZ');
    await relay.expectReceived('SetPatch\x000\0\x01NoteOn\x0072\x00127\0\x01NoteOff\x0072\0\x01');
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
    await relay.expectReceived('SetPatch\x000\0\x01NoteOn\x0048\x00127\0\x01' +
        'SetPatch\x000\0\x01NoteOn\x0052\x00127\0\x01NoteOff\x0048\0\x01NoteOff\x0052\0\x01');
});

test('chat lines go out as typed and come back in the transcript; typing plays nothing', async () => {
    relay.received = '';
    await page.locator('#chat').fill('');
    await page.locator('#chat').pressSequentially('zx Grüße');
    await page.locator('#chat').press('Enter');
    await relay.expectReceived('ChatMsg\0zx Gr\xfc\xdfe\0\x01');
    relay.send('ChatMsg\0User3: zx Gr\xfc\xdfe\0\x01');
    await page.waitForFunction(() => document.getElementById('transcript').childElementCount === 2);
    assert.equal(await page.locator('#transcript div').last().textContent(), 'User3: zx Grüße');
    assert.equal(await page.locator('#chat').inputValue(), '');
});

test('Copy link puts the room\'s address on the clipboard', async () => {
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write'],
        { origin: new URL(relay.url).origin });
    await page.locator('#copy-link').click();
    await page.waitForFunction(() => document.getElementById('copy-state').textContent !== '');
    assert.equal(await page.locator('#copy-state').textContent(), 'Link copied');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), `${relay.url}r/main/`);
});

test('nothing went wrong on the pages', () => {
    assert.deepEqual(problems, []);
});
