// MIDI input through Web MIDI, where the browser offers it: a MIDI keyboard plays the local
// player's notes with their own velocities, as on the desktop.

// What a MIDI message asks for: { on: true, note, velocity }, { on: false, note } or null.
// Note-ons of every channel count; a note-on with velocity 0 is a note-off.
export function midiNoteEvent(data) {
    if (data.length < 3)
        return null;
    const kind = data[0] & 0xf0;
    if (kind === 0x90 && data[2] > 0)
        return { on: true, note: data[1] & 0x7f, velocity: data[2] & 0x7f };
    if (kind === 0x80 || kind === 0x90)
        return { on: false, note: data[1] & 0x7f };
    return null;
}

export const midiAvailable = () => typeof navigator.requestMIDIAccess === 'function';

// Listens to every MIDI input, now and as devices come and go; returns a function that
// lists their names.
export async function listenToMidi(held) {
    const access = await navigator.requestMIDIAccess();
    const onMessage = (event) => {
        const e = midiNoteEvent(event.data);
        if (!e)
            return;
        if (e.on)
            held.press(`midi:${e.note}`, e.note, e.velocity);
        else
            held.release(`midi:${e.note}`);
    };
    const bind = () => {
        for (const input of access.inputs.values())
            input.onmidimessage = onMessage;
    };
    bind();
    access.addEventListener('statechange', bind);
    return () => [...access.inputs.values()].map((input) => input.name);
}
