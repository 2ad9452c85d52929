import { KEY_HUES } from './tables.js';

// The fill colour of a lit key, the same function the desktop piano uses: each user's hue,
// deep for loud notes and pale for soft ones. Returns red + green * 256 + blue * 65536.
// Which components shade is the desktop's table (KEY_HUES); users beyond it light black.
export function paintKey(user, velocity) {
    const hue = KEY_HUES[user];
    if (!hue)
        return 0;
    const shade = 255 - 2 * Math.min(velocity, 127);
    const [r, g, b] = hue.map((shaded) => (shaded ? shade : 255));
    return r + g * 256 + b * 65536;
}

// "#rrggbb" for a paintKey value.
export function cssColour(colour) {
    const hex = (v) => (v & 0xff).toString(16).padStart(2, '0');
    return `#${hex(colour)}${hex(colour >> 8)}${hex(colour >> 16)}`;
}
