// The player's hands: the computer keyboard by key position, and the mouse or fingers on the
// on-screen keys (each finger its own note, so chords work on touch screens).

const isTyping = (target) =>
    target instanceof Element &&
    (target.closest('input, textarea, select') !== null || target.isContentEditable);

// keymap: Keymap; held: HeldNotes; baseOctave(): 0..4
export function bindComputerKeyboard(keymap, held, baseOctave) {
    window.addEventListener('keydown', (event) => {
        // Typing in the chat or the lists plays nothing; shortcuts are not notes.
        if (isTyping(event.target) || event.ctrlKey || event.altKey || event.metaKey)
            return;
        const note = keymap.noteFor(event.code, baseOctave());
        if (note === null)
            return;
        event.preventDefault();
        // A held key repeats its keydown; the note sounds once.
        if (!event.repeat)
            held.press(`key:${event.code}`, note);
    });
    // Released wherever the focus is now, so no note is left hanging.
    window.addEventListener('keyup', (event) => held.release(`key:${event.code}`));
    // Keys released while the page is in the background are never reported.
    window.addEventListener('blur', () => held.releaseAll());
}

const noteAt = (x, y) => {
    const key = document.elementFromPoint(x, y)?.closest('[data-note]');
    return key ? Number(key.dataset.note) : null;
};

export function bindPointer(keysElement, held) {
    const source = (event) => `pointer:${event.pointerId}`;
    keysElement.addEventListener('pointerdown', (event) => {
        if (event.pointerType === 'mouse' && event.button !== 0)
            return;
        const key = event.target.closest('[data-note]');
        if (!key)
            return;
        event.preventDefault();
        held.press(source(event), Number(key.dataset.note));
    });
    // Sliding over the keys plays each key it reaches; leaving the keyboard ends the note.
    window.addEventListener('pointermove', (event) => {
        const playing = held.noteOf(source(event));
        if (playing === null)
            return;
        const note = noteAt(event.clientX, event.clientY);
        if (note === playing)
            return;
        held.release(source(event));
        if (note !== null)
            held.press(source(event), note);
    });
    for (const type of ['pointerup', 'pointercancel'])
        window.addEventListener(type, (event) => held.release(source(event)));
}
