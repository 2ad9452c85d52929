// The page's General MIDI synthesizer: FluidSynth (js-synthesizer, WebAssembly) with the
// soundfont the desktop pianos use, so browser and desktop sound alike.
//
// Browsers start audio only from a user gesture, so start() must run inside one. Until the
// engine is ready, instrument changes are kept and notes still held when it becomes ready
// start then; notes already released are dropped rather than sounding late.

import { t } from './i18n.js';

// From the site's root: every room's page is served at an address of its own.
const VENDOR = '/vendor/';
const SOUNDFONT_URL = '/soundfont.sf2';
// The desktop's gain: FluidSynth's default is meant for dense songs; a hand-played piano
// sounds faint with it.
const SETTINGS = { initialGain: 0.5 };
// Without AudioWorklet, FluidSynth renders on the page's thread in blocks of this size:
// small enough for playing, large enough not to crackle.
const SCRIPT_PROCESSOR_FRAMES = 1024;
const CHANNELS = 16;
// FluidSynth reports its WebAssembly build's missing file functions as errors while it loads
// the soundfont; from its error level down it stays quiet (a failed load still rejects).
const QUIET = 1; // JSSynth.LogLevel.Error

function loadScript(src) {
    return new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = src;
        script.onload = resolve;
        script.onerror = () => reject(new Error(t('sound.cannotLoad', src)));
        document.head.append(script);
    });
}

export class Synth {
    // onStatus(state, text): state is 'off', 'loading', 'running' or 'failed'.
    constructor(onStatus) {
        this.onStatus = onStatus;
        this.engine = null;
        this.context = null;
        this.soundfont = null;
        this.programs = new Array(CHANNELS).fill(0);
        this.pending = Array.from({ length: CHANNELS }, () => new Map()); // note -> velocity
    }

    // Starts downloading the soundfont, so that sound is ready soon after the first gesture.
    prefetch() {
        if (!this.soundfont) {
            this.soundfont = fetch(SOUNDFONT_URL).then((response) => {
                if (!response.ok)
                    throw new Error(`soundfont: HTTP ${response.status}`);
                return response.arrayBuffer();
            });
            // Reported by start(); keep the browser from calling it unhandled meanwhile.
            this.soundfont.catch(() => {});
        }
        return this.soundfont;
    }

    // Must be called from a user gesture (a key, a click, a touch).
    start() {
        // A modifier key alone is no gesture to the browser; a context made then stays mute.
        if (navigator.userActivation && !navigator.userActivation.hasBeenActive)
            return;
        if (this.context) {
            if (this.engine && this.context.state === 'suspended')
                this.context.resume();
            return;
        }
        this.context = new AudioContext();
        this.onStatus('loading', t('sound.loading'));
        this.load(this.context).then(
            (engine) => {
                this.engine = engine;
                this.replayPending();
                this.onStatus('running', t('sound.on'));
            },
            (error) => {
                this.onStatus('failed', t('sound.failed', error.message));
            });
    }

    async load(context) {
        const soundfont = this.prefetch();
        await loadScript(`${VENDOR}js-synthesizer.min.js`);
        const JSSynth = globalThis.JSSynth;
        let engine;
        if (context.audioWorklet) {
            await context.audioWorklet.addModule(`${VENDOR}libfluidsynth-2.4.6.js`);
            await context.audioWorklet.addModule(`${VENDOR}js-synthesizer.worklet.min.js`);
            engine = new JSSynth.AudioWorkletNodeSynthesizer();
            engine.init(context.sampleRate);
            engine.createAudioNode(context, SETTINGS).connect(context.destination);
            // The public switch needs FluidSynth on this thread too; this one only tells the
            // worklet (the package is pinned to the version that has it).
            engine._handleLoggingChanged(QUIET);
        } else {
            // Plain HTTP on a LAN is no secure context, and so has no AudioWorklet.
            await loadScript(`${VENDOR}libfluidsynth-2.4.6.js`);
            await JSSynth.waitForReady();
            JSSynth.disableLogging(QUIET);
            engine = new JSSynth.Synthesizer();
            engine.init(context.sampleRate, SETTINGS);
            engine.createAudioNode(context, SCRIPT_PROCESSOR_FRAMES).connect(context.destination);
        }
        await engine.loadSFont(await soundfont);
        await context.resume();
        return engine;
    }

    replayPending() {
        for (let channel = 0; channel < CHANNELS; ++channel) {
            this.engine.midiProgramChange(channel, this.programs[channel]);
            for (const [note, velocity] of this.pending[channel])
                this.engine.midiNoteOn(channel, note, velocity);
            this.pending[channel].clear();
        }
    }

    noteOn(channel, note, velocity) {
        if (this.engine)
            this.engine.midiNoteOn(channel, note, velocity);
        else
            this.pending[channel].set(note, velocity);
    }

    noteOff(channel, note) {
        if (this.engine)
            this.engine.midiNoteOff(channel, note);
        else
            this.pending[channel].delete(note);
    }

    programChange(channel, program) {
        this.programs[channel] = program;
        if (this.engine)
            this.engine.midiProgramChange(channel, program);
    }
}
