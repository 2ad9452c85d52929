// Moving along a keyboard wider than the screen (a phone held upright shows about two
// octaves): buttons that move it an octave at a time, stopping on a C. The keys themselves
// never scroll, so sliding a finger over them plays; the strip of note letters under them
// scrolls as usual.

import { KEY_SHAPES } from './tables.js';

// In the shapes' units: the whole keyboard's width, and an octave's (C to the next C).
const whites = KEY_SHAPES.filter(([, , , , black]) => !black);
const SPAN = Math.max(...KEY_SHAPES.map(([x, , w]) => x + w));
const OCTAVE = whites[7][0] - whites[0][0];
// Where a narrow keyboard starts: the second C, so the middle of the keyboard shows.
const START_OCTAVE = 1;

// The scroll position of the octave `steps` away from the one nearest `left`, within 0..max.
export function octaveStop(left, octave, steps, max) {
    const target = (Math.round(left / octave) + steps) * octave;
    return Math.max(0, Math.min(max, target));
}

// viewport: the scrolling element; keys: the keyboard inside it; move: the buttons' group.
export function bindKeyboardScroll(viewport, keys, move, down, up) {
    const octave = () => (keys.getBoundingClientRect().width * OCTAVE) / SPAN;
    const max = () => viewport.scrollWidth - viewport.clientWidth;
    let placed = false;
    const update = () => {
        const overflowing = max() > 1;
        move.hidden = !overflowing;
        if (overflowing && !placed) {
            placed = true;
            viewport.scrollLeft = octaveStop(START_OCTAVE * octave(), octave(), 0, max());
        }
        down.disabled = viewport.scrollLeft <= 1;
        up.disabled = viewport.scrollLeft >= max() - 1;
    };
    const moveBy = (steps) => {
        viewport.scrollTo({ left: octaveStop(viewport.scrollLeft, octave(), steps, max()) });
        // Back to playing: a focused button would take the next Space or Enter.
        document.activeElement?.blur();
    };
    down.addEventListener('click', () => moveBy(-1));
    up.addEventListener('click', () => moveBy(1));
    viewport.addEventListener('scroll', update, { passive: true });
    new ResizeObserver(update).observe(viewport);
    update();
}
