// The relay connection: a WebSocket at "ws" beside the page (/r/NAME/ws for a room's page at
// /r/NAME/, which takes the player into that room; /ws is the main room's), carrying
// protocol bytes.
// Messages sent in one turn of the event loop (SetPatch with its NoteOn, a chord) leave
// together in as few WebSocket messages as the relay's size limit allows.

import { packMessages } from './protocol.js';

export function relayUrl(pageUrl) {
    const url = new URL('ws', pageUrl);
    url.protocol = url.protocol === 'https:' ? 'wss:' : 'ws:';
    url.search = url.hash = '';
    return url.href;
}

export class WebSocketTransport {
    // events: { onBytes(Uint8Array), onClosed(opened, reason) }; reason is the relay's close
    // reason, if it gave one.
    constructor(url, events) {
        this.url = url;
        this.events = events;
        this.socket = null;
        this.outbox = [];
    }

    open() {
        this.close();
        const socket = new WebSocket(this.url);
        socket.binaryType = 'arraybuffer';
        let opened = false;
        socket.onopen = () => {
            opened = true;
        };
        socket.onmessage = (event) => {
            // The protocol is binary; text messages carry nothing of it.
            if (event.data instanceof ArrayBuffer)
                this.events.onBytes(new Uint8Array(event.data));
        };
        socket.onclose = (event) => {
            if (this.socket !== socket)
                return;
            this.socket = null;
            this.outbox = [];
            this.events.onClosed(opened, event.reason);
        };
        this.socket = socket;
    }

    send(bytes) {
        if (!this.socket)
            return;
        if (this.outbox.length === 0)
            queueMicrotask(() => this.flush());
        this.outbox.push(bytes);
    }

    flush() {
        const messages = this.outbox;
        this.outbox = [];
        if (!this.socket || this.socket.readyState !== WebSocket.OPEN)
            return;
        for (const frame of packMessages(messages))
            this.socket.send(frame);
    }

    // Closing from this side reports nothing back: the caller already knows.
    close() {
        const socket = this.socket;
        this.socket = null;
        this.outbox = [];
        if (socket) {
            socket.onopen = socket.onmessage = socket.onclose = null;
            socket.close();
        }
    }
}
