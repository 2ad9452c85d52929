"""Standard MIDI Files against mido, an independent reader and writer.

1. A random recording of 10,000 events on nine channels goes through
   `TamberPiano --export-midi` (no display); mido reads the file, and every message of every
   channel matches the recording byte for byte, at its recorded time within 1 ms.
2. mido writes files of formats 0 and 1 with tempo changes (running status wherever two
   channel messages in a row share a status, as its writer does); our reader, through
   midi_file_dump, gives the same channel messages in the same order at the times mido
   computes, within 1 us.

usage: /usr/bin/python3 midi_files_mido.py TAMBERPIANO MIDI_FILE_DUMP
"""

import os
import random
import struct
import subprocess
import sys
import tempfile

import mido

PIANO, DUMP = sys.argv[1:3]


def fail(text):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(1)


def message_bytes(value):
    status = value & 0xFF
    size = 2 if status & 0xF0 in (0xC0, 0xD0) else 3
    return [status, (value >> 8) & 0xFF, (value >> 16) & 0xFF][:size]


def random_recording(rng, count):
    events = []
    for _ in range(count):
        delay = rng.choice([0, 0, rng.randrange(1, 50), rng.randrange(50, 3000),
                            rng.randrange(3000, 70000)])
        channel = rng.randrange(9)
        note = rng.randrange(128)
        kind = rng.random()
        if kind < 0.45:
            value = 0x90 | channel | note << 8 | rng.randrange(128) << 16  # velocity 0 too
        elif kind < 0.9:
            value = 0x80 | channel | note << 8
        else:
            value = 0xC0 | channel | rng.randrange(128) << 8
        events.append((delay, value))
    return events


def check_export(folder):
    events = random_recording(random.Random(14), 10000)
    recording = os.path.join(folder, "random.tbr")
    with open(recording, "wb") as f:
        f.write(b"TBR\0DATA" + struct.pack("<i", len(events)))
        for delay, value in events:
            f.write(struct.pack("<iI", delay, value))
    exported = os.path.join(folder, "random.mid")
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env["QT_QPA_PLATFORM"] = "xcb"  # would abort if the export reached for a display
    run = subprocess.run([PIANO, "--export-midi", recording, exported], env=env,
                         capture_output=True, text=True, timeout=60)
    if run.returncode != 0 or run.stderr:
        fail(f"--export-midi ended {run.returncode}: {run.stderr}")

    midi = mido.MidiFile(exported)
    channels = sorted({value & 0x0F for _, value in events})
    if midi.type != 1 or midi.ticks_per_beat != 500 or len(midi.tracks) != 1 + len(channels):
        fail(f"type {midi.type}, {midi.ticks_per_beat} ticks, {len(midi.tracks)} tracks")
    names = [track.name for track in midi.tracks[1:]]
    if names != ["Piano" if c == 0 else f"Player {c}" for c in channels]:
        fail(f"track names {names}")

    expected = {c: [] for c in channels}
    now_ms = 0
    for delay, value in events:
        now_ms += delay
        expected[value & 0x0F].append((now_ms, message_bytes(value)))
    got = {c: [] for c in channels}
    now_s = 0.0
    for message in midi:  # mido's own merge of the tracks and its tempo map
        now_s += message.time
        if not message.is_meta:
            got[message.channel].append((now_s * 1000, message.bytes()))
    for c in channels:
        if len(got[c]) != len(expected[c]):
            fail(f"channel {c}: {len(got[c])} messages, recorded {len(expected[c])}")
        for i, ((want_ms, want), (got_ms, message)) in enumerate(zip(expected[c], got[c])):
            if message != want or abs(got_ms - want_ms) > 1:
                fail(f"channel {c} message {i}: {message} at {got_ms} ms, "
                     f"recorded {want} at {want_ms} ms")
    print(f"export: {len(events)} events on {len(channels)} channels agree with mido")


def fixed_song():
    """Format 0: tempo changes, two channels, controllers, a pitch bend, SysEx and text."""
    track = mido.MidiTrack([
        mido.MetaMessage("set_tempo", tempo=500000, time=0),
        mido.Message("program_change", channel=3, program=19, time=0),
        mido.Message("note_on", channel=0, note=60, velocity=90, time=0),
        mido.Message("note_on", channel=0, note=64, velocity=80, time=0),    # running status
        mido.Message("note_on", channel=0, note=67, velocity=70, time=240),  # running status
        mido.MetaMessage("text", text="verse", time=0),
        mido.Message("note_on", channel=0, note=60, velocity=0, time=240),
        mido.MetaMessage("set_tempo", tempo=300000, time=0),
        mido.Message("control_change", channel=3, control=7, value=100, time=120),
        mido.Message("sysex", data=[0x7E, 0x7F, 0x09, 0x01], time=0),
        mido.Message("note_on", channel=3, note=48, velocity=127, time=0),
        mido.Message("pitchwheel", channel=3, pitch=-4000, time=480),
        mido.MetaMessage("set_tempo", tempo=1000000, time=480),
        mido.Message("note_off", channel=3, note=48, velocity=64, time=960),
        mido.Message("note_off", channel=0, note=64, velocity=0, time=0),
        mido.Message("note_off", channel=0, note=67, velocity=0, time=1),
    ])
    midi = mido.MidiFile(type=0, ticks_per_beat=480)
    midi.tracks.append(track)
    return midi


def random_song(rng):
    """Format 1: a tempo track of 50 changes and three tracks of 700 messages each."""
    midi = mido.MidiFile(type=1, ticks_per_beat=rng.choice([96, 384, 960]))
    tempos = mido.MidiTrack()
    for _ in range(50):
        tempos.append(mido.MetaMessage("set_tempo", tempo=rng.randrange(200000, 1500001),
                                       time=rng.randrange(0, 2000)))
    midi.tracks.append(tempos)
    for channel in (0, 5, 9):
        track = mido.MidiTrack()
        for _ in range(700):
            time = rng.choice([0, rng.randrange(1, 500)])
            kind = rng.random()
            if kind < 0.7:
                track.append(mido.Message("note_on", channel=channel, note=rng.randrange(128),
                                          velocity=rng.randrange(128), time=time))
            elif kind < 0.85:
                track.append(mido.Message("control_change", channel=channel,
                                          control=rng.randrange(120), value=rng.randrange(128),
                                          time=time))
            else:
                track.append(mido.Message("program_change", channel=channel,
                                          program=rng.randrange(128), time=time))
        midi.tracks.append(track)
    return midi


def check_reading(folder):
    for name, midi in (("format-0", fixed_song()), ("format-1", random_song(random.Random(7)))):
        path = os.path.join(folder, name + ".mid")
        midi.save(path)
        expected = []
        now_s = 0.0
        for message in mido.MidiFile(path):
            now_s += message.time
            if not message.is_meta and message.type != "sysex":
                expected.append((now_s * 1e6, message.bytes()))
        run = subprocess.run([DUMP, path], capture_output=True, text=True, timeout=60)
        if run.returncode != 0:
            fail(f"{name}: our reader refused it: {run.stderr}")
        got = []
        for line in run.stdout.splitlines():
            time_us, status, data1, data2 = map(int, line.split())
            got.append((time_us, message_bytes(status | data1 << 8 | data2 << 16)))
        if len(got) != len(expected):
            fail(f"{name}: {len(got)} events, mido reads {len(expected)}")
        for i, ((want_us, want), (got_us, message)) in enumerate(zip(expected, got)):
            if message != want or abs(got_us - want_us) > 1:
                fail(f"{name} event {i}: {message} at {got_us} us, mido: {want} at {want_us} us")
        print(f"reading: {name}, {len(got)} events agree with mido")


with tempfile.TemporaryDirectory(prefix="tp-mido.") as folder:
    check_export(folder)
    check_reading(folder)
print("midi files and mido: ok")
