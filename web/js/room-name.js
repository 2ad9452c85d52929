// Room names as the relay takes them, and where a room's page is: /r/NAME/ (its socket "ws"
// beside it). Names are matched without regard to case and shown as first written.

import { t } from './i18n.js';

export const DEFAULT_ROOM = 'main';
// What a refused name is told, in the page's language.
export const roomNameRefusal = () => t('rooms.nameRefused');

const ROOM_NAME = /^[A-Za-z0-9_-]{1,24}$/;

export const isRoomName = (name) => typeof name === 'string' && ROOM_NAME.test(name);

// The address of a room's page, from the site's root.
export const roomPath = (name) => `/r/${name}/`;

// The room a page address names: /r/NAME/ gives NAME, any other page the default room; null
// for a room address whose name the relay would refuse.
export function roomFromPath(pathname) {
    const match = /\/r\/([^/]*)\/$/.exec(pathname);
    if (!match)
        return DEFAULT_ROOM;
    let name;
    try {
        name = decodeURIComponent(match[1]);
    } catch {
        return null;
    }
    return isRoomName(name) ? name : null;
}
