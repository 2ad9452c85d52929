// The session's face: connection state, the room, the eight seats, the chat transcript, and
// the box that says why the relay sent the player away.

import { t } from './i18n.js';
import { SeatList } from './seat-list.js';

// A flood of chat lines must not grow the page without bound.
const TRANSCRIPT_LINES = 5000;

export class SessionView {
    // elements: { status, connect, transcript, farewell (a dialog), farewellReason,
    //             and SeatList's: users, lockControl, lock, locked };
    // showRoomName(name); sendCommand(text) sends a chat line (the owner's actions).
    constructor(elements, { showRoomName, sendCommand }) {
        this.e = elements;
        this.showRoomName = showRoomName;
        this.seats = new SeatList(elements, sendCommand);
    }

    setStatus(text, phase) {
        this.e.status.textContent = text;
        this.e.status.dataset.phase = phase;
        this.e.connect.textContent = phase === 'offline' ? t('room.connect') : t('room.disconnect');
    }

    // A new session starts with an empty transcript and the own name in its seat at once.
    startSession(id, name) {
        this.e.transcript.replaceChildren();
        this.seats.start(id);
        this.setUserEntry(id - 1, name);
    }

    // The transcript stays to be read; the seats are no longer known.
    endSession() {
        this.seats.start(0);
    }

    setUserEntry(index, name) {
        this.seats.setName(index, name);
    }

    setRoomInfo(info) {
        this.showRoomName(info.name);
        this.seats.setRoomInfo(info);
    }

    showFarewell(reason) {
        this.e.farewellReason.textContent = reason;
        if (!this.e.farewell.open)
            this.e.farewell.showModal();
    }

    appendChatLine(line) {
        const transcript = this.e.transcript;
        const atBottom =
            transcript.scrollTop + transcript.clientHeight >= transcript.scrollHeight - 4;
        const item = document.createElement('div');
        item.textContent = line;
        transcript.append(item);
        while (transcript.childElementCount > TRANSCRIPT_LINES)
            transcript.firstElementChild.remove();
        // Keep the newest line in view, unless the reader has scrolled back.
        if (atBottom)
            transcript.scrollTop = transcript.scrollHeight;
    }
}
