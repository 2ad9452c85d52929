// What the browser piano's smoke test talks to: the built page served as the relay will
// serve it (same headers), the soundfont at /soundfont.sf2, and a scripted relay at /ws that
// records every byte the page sends.
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
    '.sf2': 'application/octet-stream',
};
// The policy the relay is to send: everything from the page's own origin, plus WebAssembly
// compilation for the synthesizer.
export const CONTENT_SECURITY_POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; " +
    "connect-src 'self'; img-src 'self'; style-src 'self'; object-src 'none'; base-uri 'none'; " +
    "form-action 'none'; frame-ancestors 'none'";

export async function startRelay(webDir, soundfont) {
    const relay = { received: '', socket: null, requests: [] };
    const server = http.createServer((request, response) => {
        const url = new URL(request.url, 'http://x');
        relay.requests.push(url.pathname);
        const file = url.pathname === '/soundfont.sf2'
            ? soundfont
            : path.join(webDir, url.pathname === '/' ? 'index.html' : path.normalize(url.pathname));
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
                'Content-Type': MIME[path.extname(file)] ?? 'application/octet-stream',
                'Content-Security-Policy': CONTENT_SECURITY_POLICY,
                'X-Content-Type-Options': 'nosniff',
                'Cache-Control': 'no-cache',
            });
            response.end(data);
        });
    });
    const sockets = new WebSocketServer({ noServer: true });
    server.on('upgrade', (request, socket, head) => {
        if (new URL(request.url, 'http://x').pathname !== '/ws') {
            socket.destroy();
            return;
        }
        sockets.handleUpgrade(request, socket, head, (ws) => {
            relay.socket = ws;
            ws.on('message', (data, isBinary) => {
                relay.received += isBinary ? data.toString('latin1') : '<text>';
            });
            relay.onConnection?.(ws);
        });
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    relay.url = `http://127.0.0.1:${server.address().port}/`;
    // Protocol bytes written as text with \0 and \x01, in one WebSocket message.
    relay.send = (text) => relay.socket.send(Buffer.from(text, 'latin1'));
    relay.close = () => {
        for (const client of sockets.clients)
            client.terminate();
        sockets.close();
        server.close();
    };
    return relay;
}
