// What the browser tests share: waiting on a condition, the relay's printed user list, the
// desktop piano's windows under Xvfb (through xdotool and the clipboard), and the browser.
//
// Environment: the harness's DISPLAY, and
//   TAMBER_WEB_MODULES  web/node_modules (playwright-core)
//   CHROMIUM            the browser
//   E2E_CHAT            the desktop's chat window
//   E2E_SERVER_LOG      the relay's output (its user lists)
//   E2E_DIR             scratch folder
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const env = process.env;

export const run = (program, ...args) => execFileSync(program, args, { encoding: 'utf8' }).trim();
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until probe() gives `want` (or, for a function, a value it accepts).
export async function eventually(what, probe, want = true, ms = 10000) {
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

// The relay's latest user list: it prints a room's eight lines at every change.
export const serverList = () => fs.readFileSync(env.E2E_SERVER_LOG, 'utf8').split('\n')
    .filter((line) => /^[1-8]\. /.test(line)).slice(-8);

// One pixel of a desktop window as "R,G,B".
export function pixel(window, x, y) {
    const shot = path.join(env.E2E_DIR, `shot-${window}.png`);
    run('import', '-window', window, shot);
    return run('convert', shot, '-format', '%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]',
        '-crop', `1x1+${x}+${y}`, '+repage', 'info:');
}

export function focus(window) {
    run('xdotool', 'windowfocus', '--sync', window);
}

// The desktop's chat window (a fixed layout): the transcript at its top left, the input line
// under it, the seats in the list at its right.
export function desktopTranscript() {
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '100', '60', 'click', '1');
    run('xdotool', 'key', 'ctrl+a', 'ctrl+c');
    return run('timeout', '5', 'xclip', '-o', '-selection', 'clipboard');
}
export function desktopSeat(n) {
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '370', '14', 'click', '1');
    for (let i = 1; i < n; ++i)
        run('xdotool', 'key', 'Down');
    run('xdotool', 'key', 'ctrl+c');
    return run('timeout', '5', 'xclip', '-o', '-selection', 'clipboard');
}
export function desktopSay(text) {
    focus(env.E2E_CHAT);
    run('xdotool', 'mousemove', '--window', env.E2E_CHAT, '100', '205', 'click', '1');
    run('xdotool', 'type', '--delay', '20', text);
    run('xdotool', 'key', 'Return');
}

export function launchBrowser() {
    const { chromium } = createRequire(path.resolve(env.TAMBER_WEB_MODULES, 'x.js'))('playwright-core');
    return chromium.launch({
        executablePath: env.CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--no-first-run'],
    });
}

// A page in English (as the tests read it) whose errors are collected in `problems`.
export async function openPage(browser, url, problems) {
    const page = await browser.newPage({ locale: 'en-US' });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('console', (m) => {
        if (m.type() === 'error')
            problems.push(`console: ${m.text()}`);
    });
    await page.goto(url);
    return page;
}
