// The lobby's list of rooms, as the relay publishes it at /rooms.json:
//   [{"name":"jazz","players":3,"seats":8}, ...]   (public rooms, in the relay's order)
// Entries that are not what the relay writes are left out rather than shown.

import { t } from './i18n.js';
import { isRoomName } from './room-name.js';

// No server holds more; a longer list is cut rather than growing the page without bound.
const MAX_ROOMS = 1000;

const count = (value) => Number.isInteger(value) && value >= 0 && value <= 1000;

export function parseRoomList(json) {
    if (!Array.isArray(json))
        return null;
    return json
        .filter((room) => room !== null && typeof room === 'object' && isRoomName(room.name) &&
            count(room.players) && count(room.seats) && room.seats > 0)
        .slice(0, MAX_ROOMS)
        .map(({ name, players, seats }) => ({ name, players, seats }));
}

// As the relay's "/rooms" says it.
export const seatsText = ({ players, seats }) => t('rooms.seatsTaken', players, seats);
