// A browser player in a desktop piano's session, driven from the outside: the relay serves
// the page on its web port, a desktop piano (user 1) sits under Xvfb with its MIDI output on
// a JACK monitor, and headless Chromium plays, chats and renames itself as user 2.
//
// Environment: the harness's DISPLAY, and
//   TAMBER_WEB_MODULES  web/node_modules (playwright-core)
//   TAMBER_WEB_DIR      the built page, for the colour function the desktop shares
//   CHROMIUM            the browser
//   E2E_MAIN, E2E_CHAT  the desktop's main and chat windows
//   E2E_MONITOR         the JACK MIDI monitor's log
//   E2E_SERVER_LOG      the relay's output (its user list)
//   E2E_DIR             scratch folder
import assert from 'node:assert/strict';
import fs from 'node:fs';
import net from 'node:net';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import {
    desktopSay, desktopSeat, desktopTranscript, eventually, focus, launchBrowser, openPage, pixel,
    run, serverList,
} from './desktop.mjs';

const env = process.env;
const { paintKey } = await import(pathToFileURL(path.join(env.TAMBER_WEB_DIR, 'js/paint-key.js')).href);
// The main room's page: the desktop piano asks for no room, so it sits in the main room.
const PAGE = 'http://127.0.0.1:8080/r/main/';

const monitor = () => fs.readFileSync(env.E2E_MONITOR, 'utf8');

const rgb = (colour) => `${colour & 0xff},${(colour >> 8) & 0xff},${(colour >> 16) & 0xff}`;

const browser = await launchBrowser();
const seats = [];
try {
    const problems = [];
    const page = await openPage(browser, PAGE, problems);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User2');
    assert.deepEqual(await page.locator('#users li').allTextContents(),
        ['User1', 'User2', '-', '-', '-', '-', '-', '-']);
    assert.equal(await page.locator('#room-name').textContent(), 'main');
    console.log('the browser took seat 2');

    // A browser key sounds at the desktop's output on channel 2, after the browser's
    // instrument, and lights the desktop's key in user 2's colour.
    await page.keyboard.down('KeyZ');
    await eventually('note-on 92 48 7f at the desktop', () => /(^|[^0-9a-f])92 48 7f( |$)/m.test(monitor()));
    assert.match(monitor(), /(^|[^0-9a-f])c2 00( |$)[^]*92 48 7f/m, "the browser's instrument did not come first");
    const height = Number(run('xdotool', 'getwindowgeometry', '--shell', env.E2E_MAIN)
        .match(/HEIGHT=(\d+)/)[1]);
    const keyX = 8 + (72 - 36) / 12 * 7 * 16 + 5;
    const keyY = height - 201 + 104 + 60;
    const lit = rgb(paintKey(2, 127));
    await eventually("the desktop's key 72 in user 2's colour", () => pixel(env.E2E_MAIN, keyX, keyY), lit);
    await page.keyboard.up('KeyZ');
    await eventually('note-off at the desktop', () => /(^|[^0-9a-f])(82 48 [0-9a-f]{2}|92 48 00)( |$)/m.test(monitor()));
    await eventually("the desktop's key 72 dark again", () => pixel(env.E2E_MAIN, keyX, keyY), '255,255,255');
    console.log('browser key: sounded and lit at the desktop');

    // A desktop key lights the browser's key with the desktop's id.
    focus(env.E2E_MAIN);
    run('xdotool', 'keydown', 'x');
    await page.waitForSelector('[data-note="74"][data-user="1"]', { timeout: 10000 });
    run('xdotool', 'keyup', 'x');
    await page.waitForSelector('[data-note="74"]:not([data-user])', { timeout: 10000 });
    console.log('desktop key: lit in the browser');

    // Chat both ways, and a new name from the browser in the desktop's list.
    await page.locator('#chat').fill('/name Webby');
    await page.locator('#chat').press('Enter');
    await eventually("Webby in the desktop's seat 2", () => desktopSeat(2), 'Webby');
    await page.locator('#chat').fill('hi from the web');
    await page.locator('#chat').press('Enter');
    await eventually("the browser's line at the desktop", desktopTranscript,
        (text) => text.split('\n').includes('Webby: hi from the web'));
    desktopSay('hello browser');
    await eventually("the desktop's line in the browser", () => page.locator('#transcript').textContent(),
        (text) => text.includes('User1: hello browser'));
    console.log('chat both ways and /name: ok');

    // Closing the tab frees the seat, and the desktop hears of it.
    await page.close();
    await eventually('seat 2 free at the relay', () => serverList()[1], '2. No User: 0.0.0.0');
    await eventually('seat 2 empty at the desktop', () => desktopSeat(2), '-');
    console.log('closing the tab freed the seat');

    // Seven plain clients fill the session; a ninth player, in a browser, gets no seat.
    for (let n = 2; n <= 8; ++n) {
        const socket = net.connect(9050, '127.0.0.1');
        socket.on('data', () => {});
        seats.push(socket);
        await eventually(`seat ${n} taken`, () => serverList()[n - 1], (line) => line.startsWith(`${n}. User${n}: `));
    }
    const ninth = await browser.newPage({ locale: 'en-US' });
    await ninth.goto(PAGE);
    await ninth.waitForFunction(() => document.getElementById('status').dataset.phase === 'offline' &&
        document.getElementById('status').textContent !== 'Disconnected', null, { timeout: 15000 });
    assert.equal(await ninth.locator('#status').textContent(),
        'Disconnected: the server closed the connection before a seat was free; it may be full.');
    assert.deepEqual(serverList().map((line) => line.replace(/: .*/, '')),
        ['1. User1', '2. User2', '3. User3', '4. User4', '5. User5', '6. User6', '7. User7', '8. User8']);
    console.log('the ninth player got no seat');
    assert.deepEqual(problems, []);
} finally {
    for (const socket of seats)
        socket.destroy();
    await browser.close();
}
console.log('browser session: ok');
