// The eight seats: every player's name, the room owner's mark and whether the room is locked;
// for the owner, beside each other player, the actions the relay offers owners (sent as the
// chat commands a desktop piano sends), and the room's lock.

import { t } from './i18n.js';
import { SEATS } from './tables.js';

const EMPTY_SEAT = '-';

// What an owner may do to the player in a seat, as [button text, chat command].
export const seatActions = (seat) => [
    [t('seats.kick'), `/kick ${seat}`],
    [t('seats.ban'), `/ban ${seat} 60`],
    [t('seats.makeOwner'), `/owner ${seat}`],
];

export class SeatList {
    // elements: { users (the list), lockControl (shown to the owner), lock (its checkbox),
    //             locked (the mark everyone sees) }; sendCommand(text) sends a chat line.
    constructor(elements, sendCommand) {
        this.e = elements;
        this.sendCommand = sendCommand;
        this.names = Array(SEATS).fill(EMPTY_SEAT);
        this.myId = 0;
        this.owner = 0;
        this.locked = false;
        this.items = this.names.map((_, index) => {
            const item = document.createElement('li');
            item.dataset.seat = String(index + 1);
            elements.users.append(item);
            return item;
        });
        elements.users.addEventListener('click', (event) => {
            const button = event.target.closest('button[data-command]');
            if (!button)
                return;
            this.sendCommand(button.dataset.command);
            // Back to playing: a focused button would take the next Space or Enter.
            button.blur();
        });
        elements.lock.addEventListener('change', () => {
            this.sendCommand(elements.lock.checked ? '/lock' : '/unlock');
            // The box shows the room as it is; the relay's answer changes it.
            elements.lock.checked = this.locked;
            elements.lock.blur();
        });
        this.renderAll();
    }

    // A new session: nobody known yet but the player, no owner until the relay says so.
    start(myId) {
        this.myId = myId;
        this.clear();
    }

    // The session ended: the seats and the room's state are no longer known.
    clear() {
        this.names.fill(EMPTY_SEAT);
        this.owner = 0;
        this.locked = false;
        this.renderAll();
    }

    setName(index, name) {
        if (index < 0 || index >= SEATS)
            return;
        this.names[index] = name;
        this.render(index);
    }

    setRoomInfo({ owner, locked }) {
        this.owner = owner;
        this.locked = locked;
        this.renderAll();
    }

    renderAll() {
        const mine = this.myId !== 0 && this.owner === this.myId;
        this.e.lockControl.hidden = !mine;
        this.e.lock.checked = this.locked;
        this.e.locked.hidden = !this.locked;
        for (let index = 0; index < SEATS; ++index)
            this.render(index);
    }

    render(index) {
        const seat = index + 1;
        const item = this.items[index];
        const seated = this.names[index] !== EMPTY_SEAT;
        const name = document.createElement('span');
        name.className = 'name';
        name.textContent = this.names[index];
        item.replaceChildren(name);
        item.toggleAttribute('data-owner', seated && seat === this.owner);
        if (seated && seat === this.owner) {
            const mark = document.createElement('span');
            mark.className = 'mark';
            mark.textContent = ` ${t('seats.owner')}`;
            item.append(mark);
        }
        if (seated && seat !== this.myId && this.myId !== 0 && this.owner === this.myId) {
            const actions = document.createElement('span');
            actions.className = 'actions';
            for (const [text, command] of seatActions(seat)) {
                const button = document.createElement('button');
                button.type = 'button';
                button.textContent = text;
                button.dataset.command = command;
                button.setAttribute('aria-label', t('seats.actionOn', text, this.names[index]));
                actions.append(button);
            }
            item.append(actions);
        }
    }
}
