// Text on the wire is Windows-1252, one byte per character, as the desktop pianos send it.
// Bytes 0x00-0x7F and 0xA0-0xFF are the same code points; 0x80-0x9F hold the typographic
// characters below. The five bytes 1252 leaves undefined decode to the C1 control of the
// same value (as Windows does), so every byte survives a round trip.

const HIGH = [
    0x20ac, 0x81, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021,
    0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8d, 0x017d, 0x8f,
    0x90, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x9d, 0x017e, 0x0178,
];

const ENCODE_HIGH = new Map(HIGH.map((codePoint, i) => [codePoint, 0x80 + i]));
const QUESTION_MARK = 0x3f;

export function decode(bytes) {
    let text = '';
    for (const b of bytes)
        text += String.fromCharCode(b >= 0x80 && b <= 0x9f ? HIGH[b - 0x80] : b);
    return text;
}

// Characters without a 1252 byte become "?", one per character (not per UTF-16 unit).
export function encode(text) {
    const bytes = [];
    for (const ch of text) {
        const cp = ch.codePointAt(0);
        if (cp < 0x80 || (cp >= 0xa0 && cp <= 0xff))
            bytes.push(cp);
        else
            bytes.push(ENCODE_HIGH.get(cp) ?? QUESTION_MARK);
    }
    return Uint8Array.from(bytes);
}

// Text as shown: control characters become spaces, so a name or line is always one line.
export function displayText(text) {
    return text.replace(/[\u0000-\u001f\u007f-\u009f]/g, ' ');
}
