// The page's side of a session, as the desktop piano's session client behaves: the relay's
// messages become notes, instrument changes, chat lines and seats; the local player's own
// events go to the relay.
//
// links: transport { open(), send(bytes), close() },
//        engine (NoteEngine), held (HeldNotes),
//        view { setStatus(text, phase), startSession(id, name), endSession(),
//               appendChatLine(line), setUserEntry(index, name),
//               setRoomInfo({ name, owner, locked }), showFarewell(reason) },
//        selectedInstrument(), setTimer(fn, ms) -> cancel

import { displayText } from './cp1252.js';
import { t } from './i18n.js';
import * as protocol from './protocol.js';
import { SEATS } from './tables.js';

export const Phase = Object.freeze({
    Offline: 'offline',
    Connecting: 'connecting',
    InSession: 'in-session',
});

// A relay that accepts and never greets must not leave the page connecting forever.
export const GREETING_TIMEOUT_MS = 10000;

export class SessionClient {
    constructor(links) {
        this.links = links;
        this.phase = Phase.Offline;
        this.myUserId = 0;
        this.myUserName = '';
        this.receiveBuffer = new protocol.MessageAssembler();
        this.cancelGreetingTimer = null;
    }

    connect() {
        if (this.phase !== Phase.Offline)
            return;
        // Bytes left unfinished by an earlier connection must not prefix this one's first.
        this.receiveBuffer.clear();
        this.phase = Phase.Connecting;
        this.links.view.setStatus(t('status.connecting'), this.phase);
        this.cancelGreetingTimer = this.links.setTimer(
            () => this.leave(t('status.noAnswer')), GREETING_TIMEOUT_MS);
        this.links.transport.open();
    }

    disconnect() {
        this.leave('');
    }

    // The connection ended; opened tells whether it was ever established, reason is what the
    // relay said when it closed it (a WebSocket close reason), if anything.
    onClosed(opened, reason = '') {
        if (reason) {
            this.leave(displayText(reason));
        } else if (this.phase === Phase.Connecting) {
            this.leave(opened ? t('status.fullMaybe') : t('status.cannotConnect'));
        } else {
            this.leave(t('status.closed'));
        }
    }

    onBytes(bytes) {
        for (const message of this.receiveBuffer.feed(bytes)) {
            if (this.phase === Phase.Offline)
                return;
            if (message.length > 0)
                this.handleServerMessage(message);
        }
    }

    sendChatText(text) {
        if (text.length > 0)
            this.send(protocol.chatMsg(text));
    }

    // The note engine's outbox: dropped unless a seat is held.
    sendSetPatch(patch) {
        this.send(protocol.setPatch(patch));
    }
    sendNoteOn(note, velocity) {
        this.send(protocol.noteOn(note, velocity));
    }
    sendNoteOff(note) {
        this.send(protocol.noteOff(note));
    }

    send(bytes) {
        if (this.phase === Phase.InSession)
            this.links.transport.send(bytes);
    }

    handleServerMessage(bytes) {
        const m = protocol.parseServerMessage(bytes);
        if (!m)
            return;
        if (m.type === 'UserID') {
            this.handleUserId(m);
            return;
        }
        // Sent also to a connection refused before it was seated (a full or locked room).
        if (m.type === 'Farewell') {
            this.farewell(displayText(m.reason));
            return;
        }
        // Everything else needs the own id, which "UserID" brings.
        if (this.phase !== Phase.InSession)
            return;
        const { engine, view } = this.links;
        switch (m.type) {
        case 'NoteOn':
            if (m.user !== this.myUserId)
                engine.startNote(m.note, m.velocity, m.user, false);
            break;
        case 'NoteOff':
            if (m.user !== this.myUserId)
                engine.stopNote(m.note, m.user, false);
            break;
        case 'SetPatch':
            // The own echo is applied too: it is the same instrument on the same channel.
            engine.selectPatch(m.patch, m.user, false);
            break;
        case 'ChatMsg':
            view.appendChatLine(displayText(m.line));
            break;
        case 'UserName':
            // "-" marks a seat left empty: whatever that player still held must stop.
            if (m.name === '-' && m.user !== this.myUserId)
                engine.silenceChannel(m.user);
            view.setUserEntry(m.user - 1, displayText(m.name));
            break;
        case 'RoomInfo':
            view.setRoomInfo({ name: displayText(m.name), owner: m.owner, locked: m.locked });
            break;
        }
    }

    handleUserId(m) {
        // The relay sends it once, first; a repeat must not change the id mid-session.
        if (this.phase !== Phase.Connecting)
            return;
        this.stopGreetingTimer();
        // Notes held while connecting sound on channel 0; they end before the id changes.
        this.links.held.releaseAll();
        this.links.engine.silenceChannel(0);
        this.myUserId = m.id;
        this.myUserName = m.name;
        this.phase = Phase.InSession;
        const shown = displayText(m.name);
        this.links.view.startSession(m.id, shown);
        this.links.view.setStatus(t('status.connectedAs', shown), this.phase);
        this.links.engine.selectPatch(this.links.selectedInstrument(), m.id, true);
    }

    // The relay sent the player away on purpose (kicked, banned, refused a room): the session
    // ends here, with the reason shown, and is not taken up again by itself.
    farewell(reason) {
        this.leave(reason || t('status.sentAway'));
        this.links.view.showFarewell(reason || t('farewell.sentAway'));
    }

    leave(reason) {
        if (this.phase === Phase.Offline)
            return;
        // Offline first, so nothing below sends and a nested close finds nothing to do.
        const wasInSession = this.phase === Phase.InSession;
        this.phase = Phase.Offline;
        this.stopGreetingTimer();
        this.links.transport.close();
        // No note of the session may keep sounding or stay lit.
        this.links.held.releaseAll();
        for (let user = 1; user <= SEATS; ++user)
            this.links.engine.silenceChannel(user);
        this.myUserId = 0;
        this.myUserName = '';
        this.links.engine.silenceAll();
        // Offline the player's notes sound on channel 0 again, with the instrument chosen now.
        this.links.engine.selectPatch(this.links.selectedInstrument(), 0, false);
        if (wasInSession)
            this.links.view.endSession();
        const status = reason ? t('status.disconnectedBecause', reason) : t('status.disconnected');
        this.links.view.setStatus(status, this.phase);
    }

    stopGreetingTimer() {
        if (this.cancelGreetingTimer) {
            this.cancelGreetingTimer();
            this.cancelGreetingTimer = null;
        }
    }
}
