// The built page folder the tests load their modules from: what ships is what is tested.
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

export const webDir = process.env.TAMBER_WEB_DIR;
if (!webDir)
    throw new Error('TAMBER_WEB_DIR must name the built page folder (build/bin/web)');

export const pageModule = (name) => import(pathToFileURL(path.join(webDir, 'js', name)).href);

// The page's texts as a browser that asks for English gets them.
export const pageTexts = (language) =>
    JSON.parse(fs.readFileSync(path.join(webDir, 'i18n', `${language}.json`), 'utf8'));
(await pageModule('i18n.js')).useTexts(pageTexts('en'));

// Bytes written as text with \0 and \x01: "NoteOn\0" + "60\0" + "127\0\x01".
export const bytes = (text) => Uint8Array.from(text, (c) => c.charCodeAt(0));
export const text = (data) => String.fromCharCode(...data);
