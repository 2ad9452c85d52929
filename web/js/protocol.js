// The session wire format, byte for byte as the desktop pianos and the relay speak it:
//
//   message  = field NUL { field NUL } SOH
//   field    = bytes other than NUL (0x00) and SOH (0x01); field 0 is the command word
//
//   "NoteOn" 00 "60" 00 "127" 00 01          page -> relay, middle C at full strength
//   "NoteOn" 00 "60" 00 "127" 00 "3" 00 01   relay -> all, stamped with sender 3
//   "RoomInfo" 00 "jazz" 00 "2" 00 "1" 00 01   relay -> room: its name, owner id (0: none),
//                                              locked ("1") or not ("0")
//   "Farewell" 00 reason 00 01                relay -> one player, right before it closes
//                                              the connection on purpose
//
// Text is Windows-1252, numbers plain unsigned decimal. Over a WebSocket each binary message
// carries one or more whole messages, exactly the bytes TCP would carry.

import { decode, encode } from './cp1252.js';
import { RECEIVE_CAP, SEATS } from './tables.js';

const FIELD_END = 0x00;
const MESSAGE_END = 0x01;
const MAX_USER_ID = SEATS;
const MAX_MIDI_VALUE = 127;

// The desktop's cap on text waiting for its SOH.
export { RECEIVE_CAP };

// One complete message; string fields are encoded as Windows-1252.
export function buildMessage(fields) {
    const parts = fields.map((f) => (typeof f === 'string' ? encode(f) : f));
    const size = parts.reduce((n, p) => n + p.length + 1, 1);
    const message = new Uint8Array(size);
    let at = 0;
    for (const p of parts) {
        message.set(p, at);
        at += p.length;
        message[at++] = FIELD_END;
    }
    message[at] = MESSAGE_END;
    return message;
}

export const setPatch = (patch) => buildMessage(['SetPatch', String(patch)]);
export const noteOn = (note, velocity) => buildMessage(['NoteOn', String(note), String(velocity)]);
export const noteOff = (note) => buildMessage(['NoteOff', String(note)]);
// NUL or SOH in the text would cut the message apart at the relay.
export const chatMsg = (text) => buildMessage(['ChatMsg', text.replace(/[\u0000\u0001]/g, ' ')]);

// Splits a message (without its SOH) at every NUL; the empty field after the final NUL is
// not returned.
export function splitFields(message) {
    const fields = [];
    let start = 0;
    for (let i = 0; i < message.length; ++i) {
        if (message[i] === FIELD_END) {
            fields.push(message.subarray(start, i));
            start = i + 1;
        }
    }
    if (start < message.length || message.length === 0)
        fields.push(message.subarray(start));
    return fields;
}

// A number field: plain decimal digits only, at most maxValue; null otherwise.
export function parseNumber(field, maxValue) {
    if (field.length === 0 || field.length > 9)
        return null;
    let value = 0;
    for (const c of field) {
        if (c < 0x30 || c > 0x39)
            return null;
        value = value * 10 + (c - 0x30);
    }
    return value <= maxValue ? value : null;
}

const userId = (field) => {
    const id = parseNumber(field, MAX_USER_ID);
    return id !== null && id >= 1 ? id : null;
};
const midiValue = (field) => parseNumber(field, MAX_MIDI_VALUE);
const flag = (field) => (field.length === 1 && (field[0] === 0x30 || field[0] === 0x31)
    ? field[0] === 0x31 : null);
const allValid = (object) => Object.values(object).every((v) => v !== null);

// One message from the relay as an object { type, ... }, or null when the command is not
// one a piano handles or a field is missing or out of range (a faulty peer's values are
// relayed unchecked, so they must not reach the synthesizer).
export function parseServerMessage(message) {
    const f = splitFields(message);
    const command = f.length > 0 ? decode(f[0]) : '';
    const has = (n) => f.length >= n;
    let parsed = null;
    switch (command) {
    case 'UserID':
        if (has(3))
            parsed = { name: decode(f[1]), id: userId(f[2]) };
        break;
    case 'NoteOn':
        if (has(4))
            parsed = { note: midiValue(f[1]), velocity: midiValue(f[2]), user: userId(f[3]) };
        break;
    case 'NoteOff':
        if (has(3))
            parsed = { note: midiValue(f[1]), user: userId(f[2]) };
        break;
    case 'SetPatch':
        if (has(3))
            parsed = { user: userId(f[1]), patch: midiValue(f[2]) };
        break;
    case 'ChatMsg':
        if (has(2))
            parsed = { line: decode(f[1]) };
        break;
    case 'UserName':
        if (has(3))
            parsed = { user: userId(f[1]), name: decode(f[2]) };
        break;
    case 'RoomInfo':
        if (has(4))
            parsed = { name: decode(f[1]), owner: parseNumber(f[2], MAX_USER_ID), locked: flag(f[3]) };
        break;
    case 'Farewell':
        if (has(2))
            parsed = { reason: decode(f[1]) };
        break;
    }
    return parsed && allValid(parsed) ? { type: command, ...parsed } : null;
}

// Cuts one connection's byte stream into messages at SOH. Text that grows past the cap
// without an SOH is dropped, and so are the bytes up to the next SOH, so the tail of an
// over-long message is never taken for a message of its own.
export class MessageAssembler {
    constructor(cap = RECEIVE_CAP) {
        this.cap = cap;
        this.clear();
    }

    clear() {
        this.pending = new Uint8Array(0);
        this.skippingOverlong = false;
    }

    // Returns every message completed by these bytes, in order, without its SOH.
    feed(bytes) {
        let start = 0;
        if (this.skippingOverlong) {
            const end = bytes.indexOf(MESSAGE_END);
            if (end < 0)
                return [];
            this.skippingOverlong = false;
            start = end + 1;
        }
        const data = new Uint8Array(this.pending.length + bytes.length - start);
        data.set(this.pending);
        data.set(bytes.subarray(start), this.pending.length);

        const messages = [];
        let consumed = 0;
        for (let end = data.indexOf(MESSAGE_END, this.pending.length); end >= 0;
            end = data.indexOf(MESSAGE_END, consumed)) {
            messages.push(data.slice(consumed, end));
            consumed = end + 1;
        }
        this.pending = data.slice(consumed);
        if (this.pending.length > this.cap) {
            this.pending = new Uint8Array(0);
            this.skippingOverlong = true;
        }
        return messages;
    }
}

// The relay closes a WebSocket whose message exceeds this size.
export const MAX_SOCKET_MESSAGE = 4096;

// Joins whole messages into as few WebSocket messages as fit the relay's limit, in order.
export function packMessages(messages, maxBytes = MAX_SOCKET_MESSAGE) {
    const packed = [];
    let batch = [];
    let size = 0;
    const flush = () => {
        if (batch.length === 0)
            return;
        const frame = new Uint8Array(size);
        let at = 0;
        for (const m of batch) {
            frame.set(m, at);
            at += m.length;
        }
        packed.push(frame);
        batch = [];
        size = 0;
    };
    for (const m of messages) {
        if (size + m.length > maxBytes)
            flush();
        batch.push(m);
        size += m.length;
    }
    flush();
    return packed;
}
