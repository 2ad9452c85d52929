// What the browser piano's page tests talk to: the built page served as the relay will serve
// it (same headers, the lobby at /, a room's page at /r/NAME/), the soundfont at
// /soundfont.sf2, the list of rooms at /rooms.json, and a scripted relay at /ws (the main
// room) and /r/NAME/ws that records every byte the page sends.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';

const requireFromPage = createRequire(path.resolve(process.env.TAMBER_WEB_MODULES ?? '.', 'x.js'));
const { WebSocketServer } = requireFromPage('ws');

const MIME = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.svg': 'image/svg+xml',
    '.txt': 'text/plain; charset=utf-8',
    '.json': 'application/json',
    '.sf2': 'application/octet-stream',
};
// The policy the relay is to send: everything from the page's own origin, plus WebAssembly
// compilation for the synthesizer.
export const CONTENT_SECURITY_POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; " +
    "connect-src 'self'; img-src 'self'; style-src 'self'; object-src 'none'; base-uri 'none'; " +
    "form-action 'none'; frame-ancestors 'none'";

const ROOM_NAME = '[A-Za-z0-9_-]{1,24}';
const ROOM_PAGE = new RegExp(`^/r/(${ROOM_NAME})(/?)$`);
const ROOM_SOCKET = new RegExp(`^/r/(${ROOM_NAME})/ws$`);
const HEADERS = {
    'Content-Security-Policy': CONTENT_SECURITY_POLICY,
    'X-Content-Type-Options': 'nosniff',
};

const SOUNDFONT = process.env.TAMBER_SOUNDFONT ?? '/usr/share/sounds/sf2/TimGM6mb.sf2';

// relay.rooms is what /rooms.json lists; relay.connections every page's socket, newest last,
// as { room, socket }; relay.send() writes to the newest one still open.
export async function startRelay(webDir, soundfont = SOUNDFONT) {
    const relay = { received: '', socket: null, requests: [], rooms: [], connections: [] };
    const server = http.createServer((request, response) => {
        const url = new URL(request.url, 'http://x');
        relay.requests.push(url.pathname);
        if (url.pathname === '/rooms.json') {
            response.writeHead(200, { ...HEADERS, 'Content-Type': 'application/json',
                'Cache-Control': 'no-store' });
            response.end(JSON.stringify(relay.rooms));
            return;
        }
        const room = ROOM_PAGE.exec(decodeURIComponent(url.pathname));
        if (room && !room[2]) {
            response.writeHead(308, { ...HEADERS, Location: `/r/${room[1]}/` }).end();
            return;
        }
        let file = path.join(webDir, url.pathname === '/' ? 'index.html' : path.normalize(url.pathname));
        if (room)
            file = path.join(webDir, 'room.html');
        else if (url.pathname === '/soundfont.sf2')
            file = soundfont;
        if (!file.startsWith(webDir) && file !== soundfont) {
            response.writeHead(404).end();
            return;
        }
        fs.readFile(file, (error, data) => {
            if (error) {
                response.writeHead(404).end();
                return;
            }
            response.writeHead(200, {
                ...HEADERS,
                'Content-Type': MIME[path.extname(file)] ?? 'application/octet-stream',
                'Cache-Control': 'no-cache',
            });
            response.end(data);
        });
    });
    const sockets = new WebSocketServer({ noServer: true });
    server.on('upgrade', (request, socket, head) => {
        const pathname = new URL(request.url, 'http://x').pathname;
        const room = pathname === '/ws' ? 'main' : ROOM_SOCKET.exec(pathname)?.[1];
        if (!room) {
            socket.destroy();
            return;
        }
        sockets.handleUpgrade(request, socket, head, (ws) => {
            const connection = { room, socket: ws };
            relay.connections.push(connection);
            relay.socket = ws;
            ws.on('message', (data, isBinary) => {
                relay.received += isBinary ? data.toString('latin1') : '<text>';
            });
            ws.on('close', () => {
                const open = relay.connections.filter((c) => c.socket.readyState === ws.OPEN);
                relay.socket = open.at(-1)?.socket ?? null;
            });
            relay.onConnection?.(ws, room);
        });
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    relay.url = `http://127.0.0.1:${server.address().port}/`;
    // Protocol bytes written as text with \0 and \x01, in one WebSocket message.
    relay.send = (text) => relay.socket.send(Buffer.from(text, 'latin1'));
    // Waits until the pages have sent exactly these bytes since relay.received was emptied.
    relay.expectReceived = async (expected) => {
        const deadline = Date.now() + 10000;
        while (relay.received.length < expected.length && Date.now() < deadline)
            await new Promise((resolve) => setTimeout(resolve, 10));
        assert.equal(JSON.stringify(relay.received), JSON.stringify(expected));
    };
    relay.close = () => {
        for (const client of sockets.clients)
            client.terminate();
        sockets.close();
        server.close();
    };
    return relay;
}
