// The fill colour of a lit key, the same function the desktop piano uses: each user's hue,
// deep for loud notes and pale for soft ones. Returns red + green * 256 + blue * 65536.
export function paintKey(user, velocity) {
    const shade = 255 - 2 * Math.min(velocity, 127);
    const rgb = (r, g, b) => r + g * 256 + b * 65536;
    switch (user) {
    case 0:
    case 1:
    case 7:
        return rgb(shade, shade, 255);
    case 2:
    case 8:
        return rgb(shade, 255, shade);
    case 3:
        return rgb(255, shade, shade);
    case 4:
        return rgb(255, 255, shade);
    case 5:
        return rgb(255, shade, 255);
    case 6:
        return rgb(shade, 255, 255);
    default:
        return rgb(0, 0, 0);
    }
}

// "#rrggbb" for a paintKey value.
export function cssColour(colour) {
    const hex = (v) => (v & 0xff).toString(16).padStart(2, '0');
    return `#${hex(colour)}${hex(colour >> 8)}${hex(colour >> 16)}`;
}
