// The session's face: connection state, the eight seats, the chat transcript.

const SEATS = 8;
const EMPTY_SEAT = '-';
// A flood of chat lines must not grow the page without bound.
const TRANSCRIPT_LINES = 5000;

export class SessionView {
    // elements: { status, connect, users, transcript }
    constructor(elements) {
        this.e = elements;
        this.seats = Array.from({ length: SEATS }, () => {
            const item = document.createElement('li');
            item.textContent = EMPTY_SEAT;
            elements.users.append(item);
            return item;
        });
    }

    setStatus(text, phase) {
        this.e.status.textContent = text;
        this.e.status.dataset.phase = phase;
        this.e.connect.textContent = phase === 'offline' ? 'Connect' : 'Disconnect';
    }

    // A new session starts with an empty transcript and the own name in its seat at once.
    startSession(id, name) {
        this.e.transcript.replaceChildren();
        this.clearSeats();
        this.setUserEntry(id - 1, name);
    }

    // The transcript stays to be read; the seats are no longer known.
    endSession() {
        this.clearSeats();
    }

    clearSeats() {
        for (const seat of this.seats)
            seat.textContent = EMPTY_SEAT;
    }

    setUserEntry(index, name) {
        if (index >= 0 && index < SEATS)
            this.seats[index].textContent = name;
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
