// The lobby at /: every open room with how many of its seats are taken and a link to it,
// refreshed every two seconds; a field to make or join a room by name; the main room one
// click away.

import { startLanguage, t } from './i18n.js';
import { parseRoomList, seatsText } from './room-list.js';
import { isRoomName, roomNameRefusal, roomPath } from './room-name.js';

const REFRESH_MS = 2000;
// A relay that does not answer must not stop the refreshing.
const FETCH_TIMEOUT_MS = 5000;

await startLanguage();

const $ = (id) => document.getElementById(id);
const input = $('join-name');
const error = $('join-error');
const list = $('rooms');
const state = $('rooms-state');

$('join-form').addEventListener('submit', (event) => {
    event.preventDefault();
    const name = input.value.trim();
    if (!isRoomName(name)) {
        error.textContent = roomNameRefusal();
        input.focus();
        return;
    }
    location.assign(roomPath(name));
});
input.addEventListener('input', () => {
    error.textContent = '';
});

// The list as last shown: an unchanged list is left alone, so focus and scrolling stay.
let shown = '';

function show(rooms) {
    state.textContent = rooms.length === 0 ? t('lobby.none') : '';
    const key = JSON.stringify(rooms);
    if (key === shown)
        return;
    shown = key;
    list.replaceChildren(...rooms.map((room) => {
        const item = document.createElement('li');
        const link = document.createElement('a');
        link.href = roomPath(room.name);
        link.textContent = room.name;
        const seats = document.createElement('span');
        seats.className = 'seats';
        const full = room.players >= room.seats ? ` ${t('lobby.full')}` : '';
        seats.textContent = ` ${seatsText(room)}${full}`;
        item.append(link, seats);
        return item;
    }));
}

async function refresh() {
    const started = performance.now();
    if (!document.hidden) {
        try {
            const response = await fetch('/rooms.json',
                { cache: 'no-store', signal: AbortSignal.timeout(FETCH_TIMEOUT_MS) });
            if (!response.ok)
                throw new Error(`HTTP ${response.status}`);
            const rooms = parseRoomList(await response.json());
            if (!rooms)
                throw new Error(t('lobby.notAList'));
            show(rooms);
        } catch (failure) {
            // The last list stays to be used; it may be out of date.
            state.textContent = t('lobby.unavailable', failure.message);
        }
    }
    setTimeout(refresh, Math.max(0, REFRESH_MS - (performance.now() - started)));
}

refresh();
