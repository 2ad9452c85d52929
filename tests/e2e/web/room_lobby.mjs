// A browser player in room jazz with the desktop piano that made it (user 1, the owner), and the
// lobby watching: they hear each other, the lobby counts them, the owner's Kick from the
// desktop's menu sends the browser out, and the lobby lets go of jazz when the desktop leaves.
//
// Environment: as desktop.mjs, and
//   E2E_MONITOR    the desktop's MIDI output, as the JACK monitor logs it
//   E2E_PIANO_PID  the desktop piano's process
import assert from 'node:assert/strict';
import fs from 'node:fs';
import {
    desktopSeat, desktopTranscript, eventually, focus, launchBrowser, openPage, run, serverList,
} from './desktop.mjs';

const env = process.env;
const SITE = 'http://127.0.0.1:8080';
const monitor = () => fs.readFileSync(env.E2E_MONITOR, 'utf8');

// The piano's windows on screen; an open menu is one of them. xdotool fails when it finds none.
function pianoWindows() {
    try {
        return run('xdotool', 'search', '--onlyvisible', '--pid', env.E2E_PIANO_PID).split('\n').length;
    } catch {
        return 0;
    }
}

// The owner's menu on seat n of the desktop's list, by keyboard alone: the list takes the focus
// after the input line, its rows are the seats in order, and the Menu key opens the menu on
// the current row. The key for an entry waits until the menu is on screen.
async function desktopOwnerMenu(n, key) {
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '100', '205', 'click', '1');
    run('xdotool', 'key', 'Tab', 'Home');
    for (let i = 1; i < n; ++i)
        run('xdotool', 'key', 'Down');
    const before = pianoWindows();
    run('xdotool', 'key', 'Menu');
    await eventually("the owner's menu on screen", pianoWindows, before + 1);
    run('xdotool', 'key', key);
    await eventually("the owner's menu gone", pianoWindows, before);
}

const browser = await launchBrowser();
try {
    const problems = [];
    const lobby = await openPage(browser, `${SITE}/`, problems);
    const rooms = () => lobby.locator('#rooms li').evaluateAll((items) =>
        items.map((item) => `${item.textContent} -> ${item.querySelector('a').getAttribute('href')}`));
    await eventually('jazz in the lobby with the desktop', rooms, (list) =>
        list.join() === 'jazz 1 of 8 seats taken -> /r/jazz/');

    const page = await openPage(browser, `${SITE}/r/jazz/`, problems);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User2');
    assert.equal(await page.locator('#room-name').textContent(), 'jazz');
    assert.deepEqual(await page.locator('#users li').allTextContents(),
        ['User1 (owner)', 'User2', '-', '-', '-', '-', '-', '-']);
    await eventually('jazz in the lobby with both', rooms, (list) =>
        list.join() === 'jazz 2 of 8 seats taken -> /r/jazz/');
    console.log('the browser took seat 2 of jazz, and the lobby counts two');

    // The browser's Z sounds at the desktop on channel 2; the desktop's X lights the browser's key.
    await page.keyboard.down('KeyZ');
    await eventually('note-on 92 48 7f at the desktop', () => /(^|[^0-9a-f])92 48 7f( |$)/m.test(monitor()));
    await page.keyboard.up('KeyZ');
    await eventually('note-off at the desktop', () => /(^|[^0-9a-f])(82 48 [0-9a-f]{2}|92 48 00)( |$)/m.test(monitor()));
    run('xdotool', 'windowfocus', '--sync', env.E2E_MAIN);
    run('xdotool', 'keydown', 'x');
    await page.waitForSelector('[data-note="74"][data-user="1"]', { timeout: 10000 });
    run('xdotool', 'keyup', 'x');
    await page.waitForSelector('[data-note="74"]:not([data-user])', { timeout: 10000 });
    console.log('they hear each other');

    await desktopOwnerMenu(2, 'k');
    await page.waitForFunction(() => document.getElementById('farewell').open, null, { timeout: 10000 });
    assert.equal(await page.locator('#farewell-reason').textContent(),
        'You were sent out of room jazz by the owner.');
    await eventually('seat 2 free at the relay', () => serverList()[1], '2. No User: 0.0.0.0');
    await eventually('seat 2 empty at the desktop', () => desktopSeat(2), '-');
    await eventually('the room told at the desktop', desktopTranscript,
        (text) => text.split('\n').includes('User2 was sent out by the owner.'));
    await eventually('jazz in the lobby with the desktop alone', rooms, (list) =>
        list.join() === 'jazz 1 of 8 seats taken -> /r/jazz/');
    console.log("the owner's Kick sent the browser out");

    // Exit in the chat window (its fixed place there) ends the desktop's session.
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '404', '204', 'click', '1');
    await eventually('no room in the lobby', async () =>
        [await rooms(), await lobby.locator('#rooms-state').textContent()].join('|'),
    '|No rooms are open.');
    console.log('the lobby let go of jazz');
    assert.deepEqual(problems, []);
} finally {
    await browser.close();
}
console.log('room and lobby: ok');
