// The local player's held notes, one per source (a key position, a finger or the mouse, a
// MIDI key). A source already holding a note starts nothing (auto-repeat), and its release
// stops exactly the note and channel it started, even if the octave or the session changed.
export class HeldNotes {
    constructor(engine, myUserId) {
        this.engine = engine;
        this.myUserId = myUserId;
        this.held = new Map(); // source -> { note, user }
    }

    // The note a source holds, or null.
    noteOf(source) {
        return this.held.get(source)?.note ?? null;
    }

    press(source, note, velocity = 127) {
        if (this.held.has(source))
            return;
        const user = this.myUserId();
        this.held.set(source, { note, user });
        this.engine.startNote(note, velocity, user, true);
    }

    release(source) {
        const started = this.held.get(source);
        if (!started)
            return;
        this.held.delete(source);
        this.engine.stopNote(started.note, started.user, true);
    }

    // The page lost the keyboard or the pointer: nothing may keep sounding.
    releaseAll() {
        for (const source of [...this.held.keys()])
            this.release(source);
    }
}
