// Computer keys are physical positions (KeyboardEvent.code), named by the Windows virtual-key
// code the same position has on a US keyboard, so the desktop's keymap plays the same two
// rows on AZERTY, QWERTZ, Dvorak or any other layout.

const CODE_TO_VK = new Map([
    ['Space', 0x20],
    ['Semicolon', 0xba],
    ['Equal', 0xbb],
    ['Comma', 0xbc],
    ['Minus', 0xbd],
    ['Period', 0xbe],
    ['Slash', 0xbf],
    ['Backquote', 0xc0],
    ['BracketLeft', 0xdb],
    ['Backslash', 0xdc],
    ['BracketRight', 0xdd],
    ['Quote', 0xde],
    ['IntlBackslash', 0xe2],
    ['NumpadMultiply', 0x6a],
    ['NumpadAdd', 0x6b],
    ['NumpadSubtract', 0x6d],
    ['NumpadDecimal', 0x6e],
    ['NumpadDivide', 0x6f],
]);
for (let i = 0; i < 26; ++i)
    CODE_TO_VK.set(`Key${String.fromCharCode(0x41 + i)}`, 0x41 + i);
for (let i = 0; i < 10; ++i) {
    CODE_TO_VK.set(`Digit${i}`, 0x30 + i);
    CODE_TO_VK.set(`Numpad${i}`, 0x60 + i);
}

export function virtualKeyFor(code) {
    return CODE_TO_VK.get(code) ?? null;
}

// Base octave 0..4 (buttons "1".."5"); 3 at start, as on the desktop.
export const START_OCTAVE = 3;

export function noteFor(baseOctave, offset) {
    return 12 * (baseOctave + 3) + offset;
}

// Which virtual keys play which semitone offsets, from [vk, offset] pairs.
export class Keymap {
    constructor(pairs) {
        this.offsets = new Map(pairs);
    }

    // The note a key position plays at this base octave, or null for an unmapped key.
    noteFor(code, baseOctave) {
        const offset = this.offsets.get(virtualKeyFor(code));
        return offset === undefined ? null : noteFor(baseOctave, offset);
    }
}
