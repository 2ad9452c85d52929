import assert from 'node:assert/strict';
import { test } from 'node:test';
import { pageModule, text } from './built-page.mjs';

const { PacedTransport, Traffic, trafficOf } = await pageModule('pacer.js');
const p = await pageModule('protocol.js');

// A paced transport on a clock moved by hand, recording what leaves and when.
function makePaced() {
    const clock = {
        time: 0,
        timers: [],
        now: () => clock.time,
        setTimer(fn, ms) {
            const timer = { at: clock.time + ms, fn, cancelled: false };
            clock.timers.push(timer);
            return () => { timer.cancelled = true; };
        },
        // Runs every timer due by `until`, in time order, as the browser would.
        advanceTo(until) {
            for (;;) {
                const due = clock.timers.filter((t) => !t.cancelled && t.at <= until)
                    .sort((a, b) => a.at - b.at)[0];
                if (!due)
                    break;
                clock.timers.splice(clock.timers.indexOf(due), 1);
                clock.time = due.at;
                due.fn();
            }
            clock.time = until;
        },
    };
    const sent = [];
    const socket = { opened: 0, closed: 0, open() { this.opened++; }, close() { this.closed++; },
        send: (bytes) => sent.push(text(bytes)) };
    const paced = new PacedTransport(socket, clock);
    paced.open();
    return { clock, sent, socket, paced };
}

test('a burst of notes leaves whole and in order at the relay\'s rate: 500 at once, then one a millisecond', () => {
    const { clock, sent, paced } = makePaced();
    const burst = Array.from({ length: 2000 }, (_, i) => p.noteOn(i % 128, i % 100));
    for (const message of burst)
        paced.send(message);
    assert.equal(sent.length, 500);
    clock.advanceTo(100);
    assert.equal(sent.length, 600);
    clock.advanceTo(1000);
    assert.equal(sent.length, 1500);
    assert.equal(paced.backlog, 500);
    clock.advanceTo(1500);
    assert.deepEqual(sent, burst.map(text));
    assert.equal(paced.backlog, 0);
    // Idle, the allowance comes back, but never beyond the burst.
    clock.advanceTo(60000);
    for (const message of burst)
        paced.send(message);
    assert.equal(sent.length, 2500);
});

test('chat lines and slash commands, and renames, have buckets of their own', () => {
    const cases = [
        // [message, bucket, how many leave at once, when the next one leaves (ms)]
        [p.chatMsg('hello'), Traffic.Chat, 20, 100],
        [p.chatMsg('/kick 2'), Traffic.Chat, 20, 100],
        [p.chatMsg('/name Bob'), Traffic.Names, 4, 500],
        [p.chatMsg('/NaMe Bob'), Traffic.Names, 4, 500],
        [p.chatMsg('/name'), Traffic.Chat, 20, 100],
        [p.chatMsg('/names x'), Traffic.Chat, 20, 100],
        [p.chatMsg(' /name x'), Traffic.Chat, 20, 100],
        [p.setPatch(5), Traffic.Notes, 500, 1],
        [p.noteOff(60), Traffic.Notes, 500, 1],
        // What the relay cannot read as a chat line counts as notes there too.
        [p.buildMessage(['ChatMsg']), Traffic.Notes, 500, 1],
        [p.buildMessage(['Hello', 'x']), Traffic.Notes, 500, 1],
    ];
    for (const [message, bucket, atOnce, nextAfter] of cases) {
        const label = JSON.stringify(text(message));
        assert.equal(trafficOf(message), bucket, label);
        const { clock, sent, paced } = makePaced();
        for (let i = 0; i <= atOnce; ++i)
            paced.send(message);
        assert.equal(sent.length, atOnce, label);
        clock.advanceTo(nextAfter - 1);
        assert.equal(sent.length, atOnce, label);
        clock.advanceTo(nextAfter);
        assert.equal(sent.length, atOnce + 1, label);
    }
});

test('a message waiting for its turn holds back every later one, whatever its bucket', () => {
    const { clock, sent, paced } = makePaced();
    for (let i = 0; i < 21; ++i)
        paced.send(p.chatMsg(`line ${i}`));
    paced.send(p.noteOn(60, 100));
    assert.equal(sent.length, 20);
    clock.advanceTo(100);
    assert.deepEqual(sent.slice(20), ['ChatMsg\0line 20\0\x01', 'NoteOn\x0060\x00100\0\x01']);
});

test('closing drops what waits and stops the timer; the next connection starts with a full allowance', () => {
    const { clock, sent, socket, paced } = makePaced();
    for (let i = 0; i < 600; ++i)
        paced.send(p.noteOn(60, 100));
    paced.close();
    assert.equal(socket.closed, 1);
    assert.equal(paced.backlog, 0);
    assert.ok(clock.timers.every((t) => t.cancelled));
    clock.advanceTo(1000);
    assert.equal(sent.length, 500);
    paced.open();
    assert.equal(socket.opened, 2);
    for (let i = 0; i < 501; ++i)
        paced.send(p.noteOn(60, 100));
    assert.equal(sent.length, 1000);
});
