// Presses Z in the browser piano PRESSES times and prints, one a line in milliseconds, the
// time from each press to its note-on (channel 2: the browser is user 2) at the desktop's
// MIDI output, as midi-arrivals logged it in $ARRIVALS. Both read CLOCK_MONOTONIC. On standard
// error: how many notes or releases never arrived.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const presses = Number(process.argv[2] ?? 200);
const { chromium } = createRequire(path.resolve(process.env.TAMBER_WEB_MODULES, 'x.js'))('playwright-core');
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Arrivals after the first `skip` lines, as [ns, status, note, velocity].
function arrivals(skip) {
    return fs.readFileSync(process.env.ARRIVALS, 'utf8').split('\n').slice(skip)
        .filter((line) => /^\d+ /.test(line))
        .map((line) => line.split(' ')).map(([ns, ...bytes]) => [BigInt(ns), ...bytes]);
}
// The arrival's time, or null when none came within two seconds.
async function waitFor(accepts, skip) {
    const deadline = Date.now() + 2000;
    while (Date.now() < deadline) {
        const hit = arrivals(skip).find(accepts);
        if (hit)
            return hit[0];
        await sleep(1);
    }
    return null;
}
const isOn = ([, s, , v]) => s === '92' && v !== '00';
const isOff = ([, s, , v]) => s === '82' || (s === '92' && v === '00');
const seen = () => fs.readFileSync(process.env.ARRIVALS, 'utf8').split('\n').length - 1;

const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--no-first-run'],
});
try {
    const page = await browser.newPage();
    // The main room's page, where the desktop piano sits.
    await page.goto('http://127.0.0.1:8080/r/main/');
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Connected as User2');
    let lost = 0;
    for (let i = 0; i < presses; ++i) {
        const skip = seen();
        const pressed = process.hrtime.bigint();
        await page.keyboard.down('KeyZ');
        const on = await waitFor(isOn, skip);
        if (on === null)
            ++lost;
        else
            console.log((Number(on - pressed) / 1e6).toFixed(3));
        await page.keyboard.up('KeyZ');
        if (await waitFor(isOff, skip) === null)
            ++lost;
        await sleep(20 + Math.random() * 30);
    }
    // A note that never arrived is not a figure; how many there were is.
    console.error(`notes or releases that did not arrive within 2 s: ${lost}`);
} finally {
    await browser.close();
}
