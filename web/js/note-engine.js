// The one path every note takes, as on the desktop piano: sound on the user's channel, the
// key lit in the user's colour, and for the local player's own notes the session.
//
// links: synth { noteOn(channel, note, velocity), noteOff(channel, note),
//                programChange(channel, program) },
//        keys { light(key, colour, user), unlight(key) },
//        session { sendSetPatch(patch), sendNoteOn(note, velocity), sendNoteOff(note) },
//        selectedInstrument(), myUserId()

import { CHANNELS, FIRST_KEY_NOTE, KEY_SHAPES } from './tables.js';
import { paintKey } from './paint-key.js';

const LAST_KEY_NOTE = FIRST_KEY_NOTE + KEY_SHAPES.length - 1;

export class NoteEngine {
    constructor(links) {
        this.links = links;
        // Per channel, the notes started and not yet stopped.
        this.sounding = Array.from({ length: CHANNELS }, () => new Set());
    }

    startNote(note, velocity, user, sendToSession) {
        if (!valid(note, user))
            return;
        velocity = Math.min(velocity, 127);
        this.links.synth.noteOn(user, note, velocity);
        this.sounding[user].add(note);
        if (onKeyboard(note))
            this.links.keys.light(note - FIRST_KEY_NOTE, paintKey(user, velocity), user);
        if (sendToSession) {
            // Every local note re-announces the player's instrument just before it.
            this.links.session.sendSetPatch(this.links.selectedInstrument());
            this.links.session.sendNoteOn(note, velocity);
        }
    }

    stopNote(note, user, sendToSession) {
        if (!valid(note, user))
            return;
        this.links.synth.noteOff(user, note);
        this.sounding[user].delete(note);
        if (onKeyboard(note))
            this.links.keys.unlight(note - FIRST_KEY_NOTE);
        if (sendToSession)
            this.links.session.sendNoteOff(note);
    }

    selectPatch(patch, user, sendToSession) {
        if (patch > 127 || user >= CHANNELS)
            return;
        this.links.synth.programChange(user, patch);
        if (sendToSession)
            this.links.session.sendSetPatch(patch);
    }

    // Ends every note of the local channel and unlights every key.
    silenceAll() {
        for (let note = 0; note < 128; ++note)
            this.stopNote(note, this.links.myUserId(), false);
    }

    // Ends the notes still sounding on one user's channel (a player who left).
    silenceChannel(user) {
        for (const note of [...this.sounding[user]])
            this.stopNote(note, user, false);
    }
}

function valid(note, user) {
    return note >= 0 && note <= 127 && user >= 0 && user < CHANNELS;
}

function onKeyboard(note) {
    return note >= FIRST_KEY_NOTE && note <= LAST_KEY_NOTE;
}
