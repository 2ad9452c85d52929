// The owner's Kick, from the desktop piano's context menu, on a browser player in room jazz.
//
// Environment: the harness's DISPLAY, and
//   TAMBER_WEB_MODULES  web/node_modules (playwright-core)
//   CHROMIUM            the browser
//   E2E_CHAT            the desktop's chat window (the desktop is user 1, the room's owner)
//   E2E_SERVER_LOG      the relay's output (its user lists)
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const env = process.env;
const { chromium } = createRequire(path.resolve(env.TAMBER_WEB_MODULES, 'x.js'))('playwright-core');
const PAGE = 'http://127.0.0.1:8080/r/jazz/';
const REASON = 'You were sent out of room jazz by the owner.';

const run = (program, ...args) => execFileSync(program, args, { encoding: 'utf8' }).trim();
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function eventually(what, probe, want = true, ms = 10000) {
    const accepts = typeof want === 'function' ? want : (value) => value === want;
    const deadline = Date.now() + ms;
    let last;
    while (Date.now() < deadline) {
        last = await probe();
        if (accepts(last))
            return;
        await sleep(50);
    }
    assert.fail(`${what} (last seen: ${JSON.stringify(last)})`);
}

// The relay's latest user list of any room: it prints eight lines at every change.
const serverList = () => fs.readFileSync(env.E2E_SERVER_LOG, 'utf8').split('\n')
    .filter((line) => /^[1-8]\. /.test(line)).slice(-8);

function focus(window) {
    run('xdotool', 'windowfocus', '--sync', window);
}
// Seat n of the desktop's list made current (the list sits at the chat window's right).
function selectSeat(n) {
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '370', '14', 'click', '1');
    for (let i = 1; i < n; ++i)
        run('xdotool', 'key', 'Down');
}
function desktopSeat(n) {
    selectSeat(n);
    run('xdotool', 'key', 'ctrl+c');
    return run('timeout', '5', 'xclip', '-o', '-selection', 'clipboard');
}
function desktopTranscript() {
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '100', '60', 'click', '1');
    run('xdotool', 'key', 'ctrl+a', 'ctrl+c');
    return run('timeout', '5', 'xclip', '-o', '-selection', 'clipboard');
}

const browser = await chromium.launch({
    executablePath: env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--no-first-run'],
});
try {
    const page = await browser.newPage();
    await page.goto(PAGE);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User2');
    await eventually("the browser in the desktop's seat 2", () => desktopSeat(2), 'User2');
    console.log('the browser took seat 2 of room jazz');

    // The owner's menu on seat 2 (a right-click on its row, the second of the list at the chat
    // window's right), then its Kick (K). The menu is a window of its own, which a loaded
    // machine may map only after the key went out: then the key is sent again.
    const farewellShown = (ms) => page.waitForFunction(() => document.getElementById('farewell').open,
        null, { timeout: ms }).then(() => true, () => false);
    for (let attempt = 1; ; ++attempt) {
        focus(env.E2E_CHAT);
        run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '370', '38', 'click', '3');
        run('xdotool', 'key', 'k');
        if (await farewellShown(3000))
            break;
        assert.ok(attempt < 3, 'the Kick in the owner menu sent nobody out');
        console.log(`the owner menu missed its key (try ${attempt}); again`);
        run('xdotool', 'key', 'Escape');
    }
    assert.equal(await page.locator('#farewell-reason').textContent(), REASON);
    await eventually('seat 2 free at the relay', () => serverList()[1], '2. No User: 0.0.0.0');
    await eventually('seat 2 empty at the desktop', () => desktopSeat(2), '-');
    await eventually("the room told at the desktop", desktopTranscript,
        (text) => text.split('\n').includes('User2 was sent out by the owner.'));
    assert.equal(serverList()[0], '1. User1: 127.0.0.1');
    console.log('the owner sent the browser player out');
} finally {
    await browser.close();
}
console.log('owner kick: ok');
