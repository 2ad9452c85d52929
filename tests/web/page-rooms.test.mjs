// A room's page in headless Chromium against a scripted relay: the owner's mark, the lock and
// the owner's actions, a Farewell from the relay, and both pages on a phone held upright.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { startPages, watch } from './chromium.mjs';

// The greeting of room jazz, where Anna (seat 1) made the room and the page takes seat 2.
const JAZZ_GREETING = 'UserID\0User2\x002\0\x01ChatMsg\0Welcome to Corvent! This is room jazz.\0\x01' +
    'RoomInfo\0jazz\x001\x000\0\x01UserName\x001\0Anna\0\x01UserName\x002\0User2\0\x01' +
    'UserName\x003\0Bob\0\x01';
const MAIN_GREETING = 'UserID\0User3\x003\0\x01ChatMsg\0Welcome to Corvent!\0\x01' +
    'RoomInfo\0main\x000\x000\0\x01UserName\x003\0User3\0\x01';

const problems = [];
let relay, browser, page, close;
before(async () => ({ relay, browser, page, close } = await startPages((socket, room) =>
    socket.send(Buffer.from(room === 'main' ? MAIN_GREETING : JAZZ_GREETING, 'latin1')), problems)));
after(() => close?.());

const seat = (n) => page.locator(`#users li[data-seat="${n}"]`);

test('the room\'s page shows the name as the relay writes it, marks the owner and a locked room', async () => {
    await page.goto(`${relay.url}r/JAZZ/`);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User2');
    assert.equal(relay.connections.at(-1).room, 'JAZZ');
    assert.equal(await page.locator('#room-name').textContent(), 'jazz');
    assert.equal(await page.title(), 'Tamber Piano — jazz');
    assert.deepEqual(await page.locator('#users li').allTextContents(),
        ['Anna (owner)', 'User2', 'Bob', '-', '-', '-', '-', '-']);
    assert.equal(await seat(1).getAttribute('data-owner'), '');
    // Only the owner acts on others or locks the room.
    assert.equal(await page.locator('#users button').count(), 0);
    assert.equal(await page.locator('#lock-control').isHidden(), true);
    assert.equal(await page.locator('#room-locked').isHidden(), true);
    relay.send('RoomInfo\0jazz\x001\x001\0\x01');
    await page.waitForSelector('#room-locked', { state: 'visible' });
});

test('the owner has Kick, Ban for an hour and Make owner beside each other player, and the lock', async () => {
    relay.received = '';
    relay.send('RoomInfo\0jazz\x002\x000\0\x01');
    await page.waitForSelector('#lock-control', { state: 'visible' });
    assert.deepEqual(await page.locator('#users li .name').allTextContents(),
        ['Anna', 'User2', 'Bob', '-', '-', '-', '-', '-']);
    assert.equal(await seat(2).locator('.mark').textContent(), ' (owner)');
    for (const n of [1, 3])
        assert.deepEqual(await seat(n).locator('button').allTextContents(), ['Kick', 'Ban for an hour', 'Make owner']);
    assert.equal(await page.locator('#users button').count(), 6);
    assert.equal(await page.locator('#room-locked').isHidden(), true);

    await page.getByRole('button', { name: 'Kick: Bob' }).click();
    await page.getByRole('button', { name: 'Ban for an hour: Anna' }).click();
    await page.getByRole('button', { name: 'Make owner: Bob' }).click();
    await page.locator('#lock').click();
    await relay.expectReceived('ChatMsg\0/kick 3\0\x01ChatMsg\0/ban 1 60\0\x01ChatMsg\0/owner 3\0\x01ChatMsg\0/lock\0\x01');
    // The box shows the room as the relay last said it is, until the relay says otherwise.
    assert.equal(await page.locator('#lock').isChecked(), false);
    relay.send('RoomInfo\0jazz\x002\x001\0\x01');
    await page.waitForSelector('#lock:checked');
    await page.locator('#lock').click();
    await relay.expectReceived('ChatMsg\0/kick 3\0\x01ChatMsg\0/ban 1 60\0\x01ChatMsg\0/owner 3\0\x01ChatMsg\0/lock\0\x01' +
        'ChatMsg\0/unlock\0\x01');

    // A player who leaves takes the buttons along; passing ownership on takes them all.
    relay.send('UserName\x003\0-\0\x01');
    await page.waitForFunction(() => document.querySelectorAll('#users button').length === 3);
    relay.send('RoomInfo\0jazz\x001\x001\0\x01');
    await page.waitForFunction(() => document.querySelectorAll('#users button').length === 0);
    assert.equal(await page.locator('#lock-control').isHidden(), true);
    assert.equal(await seat(1).getAttribute('data-owner'), '');
});

test('a Farewell shows its reason in a box and ends the session; nothing connects again', async () => {
    const reason = 'You were sent out of room jazz by the owner.';
    relay.send(`ChatMsg\0${reason}\0\x01Farewell\0${reason}\0\x01`);
    relay.socket.close();
    await page.waitForSelector('#farewell[open]');
    assert.equal(await page.locator('#farewell-reason').textContent(), reason);
    assert.equal(await page.locator('#status').textContent(), `Disconnected: ${reason}`);
    assert.equal(await page.locator('#transcript div').last().textContent(), reason);
    assert.deepEqual(await page.locator('#users li').allTextContents(), Array(8).fill('-'));
    await page.locator('#farewell-ok').click();
    await page.locator('#farewell').waitFor({ state: 'hidden' });
    assert.equal(relay.connections.filter((c) => c.room === 'JAZZ').length, 1);
});

test('on a phone held upright both pages fit, two octaves of finger-sized keys show, and the keyboard moves along', async () => {
    const phone = await browser.newContext({
        viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
        locale: 'en-US',
    });
    const mobile = await phone.newPage();
    await watch(mobile, problems);
    const fits = () => mobile.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth);

    relay.rooms = [{ name: 'abcdefghijklmnopqrstuvwx', players: 8, seats: 8 }];
    await mobile.goto(relay.url);
    await mobile.waitForFunction(() => document.querySelectorAll('#rooms li').length === 1);
    assert.equal(await fits(), true);

    await mobile.goto(`${relay.url}r/main/`);
    await mobile.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User3');
    assert.equal(await fits(), true);
    // The white keys wholly in view, lowest first, with their sizes; and the black keys'.
    const inView = () => mobile.evaluate(() => {
        const view = document.getElementById('piano').getBoundingClientRect();
        const shown = (selector) => [...document.querySelectorAll(selector)]
            .map((key) => ({ note: Number(key.dataset.note), box: key.getBoundingClientRect() }))
            .filter(({ box }) => box.left >= view.left - 1 && box.right <= view.right + 1)
            .map(({ note, box }) => ({ note, width: box.width, height: box.height }));
        return { whites: shown('.key.white'), blacks: shown('.key.black') };
    });
    const keys = await inView();
    assert.ok(keys.whites.length >= 14, `${keys.whites.length} white keys in view`);
    // A fingertip's worth (24 CSS pixels, the smallest touch target WCAG allows) across every
    // key, and the white keys' uncovered part at least as tall.
    for (const key of keys.whites)
        assert.ok(key.width >= 24 && key.height >= 120, JSON.stringify(key));
    for (const key of keys.blacks)
        assert.ok(key.width >= 14 && key.height >= 90, JSON.stringify(key));
    assert.equal(keys.whites[0].note, 48);

    await mobile.locator('#keys-up').click();
    await mobile.waitForFunction(() => {
        const view = document.getElementById('piano').getBoundingClientRect();
        const first = [...document.querySelectorAll('.key.white')]
            .find((key) => key.getBoundingClientRect().left >= view.left - 1);
        return first?.dataset.note === '60';
    });
    await mobile.locator('#keys-down').click();
    await mobile.locator('#keys-down').click();
    await mobile.waitForFunction(() => document.getElementById('keys-down').disabled);
    assert.equal((await inView()).whites[0].note, 36);

    // A finger on a key that came into view plays it.
    relay.received = '';
    const box = await mobile.locator('[data-note="40"]').boundingBox();
    await mobile.touchscreen.tap(box.x + box.width / 2, box.y + box.height - 10);
    await relay.expectReceived('SetPatch\x000\0\x01NoteOn\x0040\x00127\0\x01NoteOff\x0040\0\x01');
    await phone.close();
});

test('nothing went wrong on the pages', () => {
    assert.deepEqual(problems, []);
});
