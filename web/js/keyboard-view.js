// The 61-key keyboard, laid out as the desktop piano's (shapes from its own table, scaled to
// the page's width), with the note letters under the white keys. It only shows what it is
// told; playing is input.js's.

import { FIRST_KEY_NOTE, KEY_SHAPES, NOTE_LABELS } from './tables.js';
import { cssColour } from './paint-key.js';

const percent = (value, whole) => `${(100 * value) / whole}%`;

export class KeyboardView {
    constructor(keysElement, labelsElement) {
        const width = Math.max(...KEY_SHAPES.map(([x, , w]) => x + w));
        const height = Math.max(...KEY_SHAPES.map(([, y, , h]) => y + h));
        // The stylesheet keeps this shape, or a taller one on a phone.
        keysElement.style.setProperty('--keyboard-ratio', `${width} / ${height}`);
        this.keys = KEY_SHAPES.map(([x, y, w, h, black], key) => {
            const element = document.createElement('div');
            element.className = black ? 'key black' : 'key white';
            element.dataset.note = String(FIRST_KEY_NOTE + key);
            Object.assign(element.style, {
                left: percent(x, width),
                top: percent(y, height),
                width: percent(w, width),
                height: percent(h, height),
            });
            keysElement.append(element);
            return element;
        });
        const whites = KEY_SHAPES.filter(([, , , , black]) => !black);
        whites.forEach(([x, , w], j) => {
            const label = document.createElement('span');
            label.textContent = NOTE_LABELS[j];
            Object.assign(label.style, { left: percent(x, width), width: percent(w, width) });
            labelsElement.append(label);
        });
    }

    light(key, colour, user) {
        const element = this.keys[key];
        element.style.backgroundColor = cssColour(colour);
        element.dataset.user = String(user);
    }

    unlight(key) {
        const element = this.keys[key];
        element.style.backgroundColor = '';
        delete element.dataset.user;
    }
}
