// The page keeps to the relay's pace by itself: every message draws on one of three token
// buckets with the relay's own default rates (notes and everything else, chat lines and slash
// commands, "/name"), and a message over the rate waits. Messages leave in the order they
// were sent and none is dropped, so an honest page is never held back or cut by the relay.

import { splitFields } from './protocol.js';
import { RELAY_LIMITS } from './tables.js';

export const Traffic = Object.freeze({ Notes: 'notes', Chat: 'chat', Names: 'names' });

// Tokens come back at a steady rate; up to `burst` of them can be saved up. It starts full.
// Times are in milliseconds.
export class TokenBucket {
    constructor(perSecond, burst, now) {
        this.rate = perSecond / 1000;
        this.burst = burst;
        this.tokens = burst;
        this.last = now;
    }

    tokensAt(now) {
        if (now <= this.last)
            return this.tokens;
        return Math.min(this.burst, this.tokens + this.rate * (now - this.last));
    }

    // Takes one token if there is one.
    take(now) {
        this.tokens = this.tokensAt(now);
        this.last = Math.max(this.last, now);
        // The slack absorbs rounding, so waking after untilNext() always finds the token.
        if (this.tokens < 1 - 1e-9)
            return false;
        this.tokens = Math.max(0, this.tokens - 1);
        return true;
    }

    // Milliseconds until one token is there; zero when there is one now.
    untilNext(now) {
        const missing = 1 - this.tokensAt(now);
        return missing <= 0 ? 0 : missing / this.rate;
    }
}

const lowerAscii = (c) => (c >= 0x41 && c <= 0x5a ? c + 0x20 : c);
const NAME_COMMAND = [...'/name '].map((c) => c.charCodeAt(0));

// The bucket a message draws on, decided as the relay decides it: a chat line starting with
// "/name " (in any case) is a rename, any other chat line is chat, everything else notes.
// `message` is one whole message, SOH included.
export function trafficOf(message) {
    const fields = splitFields(message.subarray(0, message.length - 1));
    const command = String.fromCharCode(...fields[0]);
    if (command !== 'ChatMsg' || fields.length < 2)
        return Traffic.Notes;
    const text = fields[1];
    const rename = text.length >= NAME_COMMAND.length &&
        NAME_COMMAND.every((c, i) => lowerAscii(text[i]) === c);
    return rename ? Traffic.Names : Traffic.Chat;
}

// A transport that paces what is sent through it; open() and close() start and end a
// connection, with full buckets and nothing waiting.
//
// transport { open(), send(bytes), close() }
// clock { now() -> ms, setTimer(fn, ms) -> cancel }
export class PacedTransport {
    constructor(transport, clock, limits = RELAY_LIMITS) {
        this.transport = transport;
        this.clock = clock;
        this.limits = limits;
        this.reset();
    }

    open() {
        this.reset();
        this.transport.open();
    }

    close() {
        this.reset();
        this.transport.close();
    }

    send(bytes) {
        this.waiting.push(bytes);
        if (!this.cancelTimer)
            this.drain();
    }

    // How many messages wait for their turn.
    get backlog() {
        return this.waiting.length - this.next;
    }

    reset() {
        this.cancelTimer?.();
        this.cancelTimer = null;
        const now = this.clock.now();
        this.buckets = {};
        for (const traffic of Object.values(Traffic)) {
            const { perSecond, burst } = this.limits[traffic];
            this.buckets[traffic] = new TokenBucket(perSecond, burst, now);
        }
        this.waiting = [];
        this.next = 0;
    }

    drain() {
        this.cancelTimer = null;
        const now = this.clock.now();
        while (this.next < this.waiting.length) {
            const message = this.waiting[this.next];
            const bucket = this.buckets[trafficOf(message)];
            if (!bucket.take(now)) {
                // The first message over the rate holds back every later one: order is kept.
                this.cancelTimer = this.clock.setTimer(() => this.drain(),
                    Math.max(1, Math.ceil(bucket.untilNext(now))));
                break;
            }
            this.waiting[this.next++] = null;
            this.transport.send(message);
        }
        // Messages already sent are let go in bulk, not one shift at a time.
        if (this.next === this.waiting.length || 2 * this.next > this.waiting.length + 1024) {
            this.waiting = this.waiting.slice(this.next);
            this.next = 0;
        }
    }
}
