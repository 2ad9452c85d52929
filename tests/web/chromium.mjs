// Headless Chromium for the page tests, and a watch on every page for what would show in a
// developer's console: errors, warnings, failed requests, the worklet's own log.
import { createRequire } from 'node:module';
import path from 'node:path';
import { webDir } from './built-page.mjs';
import { startRelay } from './fake-relay.mjs';

const modules = process.env.TAMBER_WEB_MODULES;
const { chromium } = createRequire(path.resolve(modules, 'x.js'))('playwright-core');

export const launch = () => chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--no-first-run'],
});

// Adds to `problems` whatever goes wrong on the page from now on.
export async function watch(page, problems) {
    page.on('console', (m) => {
        if (m.type() === 'error' || m.type() === 'warning')
            problems.push(`${m.type()}: ${m.text()}`);
    });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    // A request cut short because the page went on to another is no fault.
    page.on('requestfailed', (r) => {
        if (r.failure()?.errorText !== 'net::ERR_ABORTED')
            problems.push(`request failed: ${r.url()}`);
    });
    // The synthesizer's worklet logs to the page's console too, where only the protocol sees it.
    const cdp = await page.context().newCDPSession(page);
    cdp.on('Log.entryAdded', ({ entry }) => {
        if (entry.level === 'error' || entry.level === 'warning')
            problems.push(`${entry.level}: ${entry.text}`);
    });
    await cdp.send('Log.enable');
}

// The scripted relay (greet(socket, room) answers every new connection) and a browser with
// one page, watched for problems; close() ends both.
export async function startPages(greet, problems) {
    const relay = await startRelay(path.resolve(webDir));
    relay.onConnection = greet;
    const browser = await launch();
    // The pages speak the browser's language: these tests read them in English.
    const page = await browser.newPage({ locale: 'en-US' });
    await watch(page, problems);
    const close = async () => {
        await browser.close();
        relay.close();
    };
    return { relay, browser, page, close };
}
