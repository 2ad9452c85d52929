"""MIDI files for the end-to-end test, written and read with mido (Debian's python3-mido).

  write FOLDER                       format-0.mid and format-1.mid: tempo changes, running
                                     status, several channels, a SysEx and text to skip
  count FILE                         how many channel messages the file plays
  compare LOG SKIP FILE TOLERANCE    the monitor's messages after the first SKIP are the
                                     file's channel messages in order, each at its time from
                                     the first within TOLERANCE ms; exit 2 when the messages
                                     differ, 1 when only the timing does
  export MIDI-FILE TBR-FILE          the exported file holds the recording's messages at its
                                     times (whole milliseconds)
  bench FILE EVENTS                  (the playback benchmark) writes a format-1 song of EVENTS
                                     notes on four channels, with a tempo change halfway
  lateness LOG SKIP FILE             (the playback benchmark) how late each message was heard
                                     (or, from a LOG named *.trace, sent by the piano) against
                                     its time in the song, counted from the least late one;
                                     messages the monitor dropped are passed over
"""

import re
import struct
import sys

import mido

FRAMES_PER_MS = 48.0


def fail(text, status=2):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(status)


def format0():
    """Two tempo changes, running status, a program, a controller, SysEx and text."""
    track = mido.MidiTrack([
        mido.MetaMessage("set_tempo", tempo=500000, time=0),
        mido.Message("program_change", channel=2, program=40, time=0),
        mido.Message("note_on", channel=0, note=60, velocity=90, time=0),
        mido.Message("note_on", channel=0, note=64, velocity=80, time=120),  # running status
        mido.MetaMessage("text", text="verse", time=0),
        mido.Message("note_on", channel=0, note=60, velocity=0, time=120),   # running status
        mido.MetaMessage("set_tempo", tempo=250000, time=0),
        mido.Message("sysex", data=[0x7E, 0x7F, 0x09, 0x01], time=0),
        mido.Message("control_change", channel=2, control=64, value=127, time=240),
        mido.Message("note_on", channel=2, note=67, velocity=100, time=0),
        mido.Message("note_on", channel=2, note=100, velocity=100, time=0),  # no key for it
        mido.MetaMessage("set_tempo", tempo=750000, time=240),
        mido.Message("note_off", channel=2, note=67, velocity=0, time=240),
        mido.Message("note_off", channel=2, note=100, velocity=0, time=0),
        mido.Message("note_off", channel=0, note=64, velocity=0, time=0),
        mido.Message("control_change", channel=2, control=64, value=0, time=0),
    ])
    midi = mido.MidiFile(type=0, ticks_per_beat=480)
    midi.tracks.append(track)
    return midi


def format1():
    """A tempo track, and two tracks on channels 1 and 9 that interleave."""
    midi = mido.MidiFile(type=1, ticks_per_beat=96)
    midi.tracks.append(mido.MidiTrack([
        mido.MetaMessage("set_tempo", tempo=400000, time=0),
        mido.MetaMessage("set_tempo", tempo=800000, time=192),
    ]))
    melody = mido.MidiTrack()
    for i, note in enumerate([72, 74, 76, 77, 79]):
        melody.append(mido.Message("note_on", channel=1, note=note, velocity=100,
                                   time=0 if i == 0 else 10))
        melody.append(mido.Message("note_on", channel=1, note=note, velocity=0, time=38))
    midi.tracks.append(melody)
    drums = mido.MidiTrack()
    for i in range(6):
        drums.append(mido.Message("note_on", channel=9, note=36 + (i % 2) * 2, velocity=110,
                                  time=0 if i == 0 else 24))
        drums.append(mido.Message("note_off", channel=9, note=36 + (i % 2) * 2, time=24))
    midi.tracks.append(drums)
    return midi


def file_messages(path):
    """(ms from the start, bytes) of every channel message, as mido plays the file."""
    messages, now = [], 0.0
    for message in mido.MidiFile(path):
        now += message.time
        if not message.is_meta and message.type != "sysex":
            messages.append((now * 1000, message.bytes()))
    return messages


def heard(log, skip):
    lines = []
    with open(log) as f:
        for line in f:
            # "FRAME: 90 3c 64 note on  (channel  0): ...": the bytes, then words
            m = re.match(r"^\s*(\d+):((?:\s+[0-9a-f]{2}(?![0-9a-z]))+)", line)
            if m:
                lines.append((int(m.group(1)), [int(b, 16) for b in m.group(2).split()]))
    return lines[skip:]


def compare(log, skip, path, tolerance):
    want = file_messages(path)
    got = heard(log, int(skip))
    if len(got) < len(want):
        fail(f"{path}: heard {len(got)} messages, the file holds {len(want)}")
    worst = 0.0
    for i, ((want_ms, want_bytes), (frame, got_bytes)) in enumerate(zip(want, got)):
        if want_bytes != got_bytes:
            fail(f"{path}: message {i} is {want_bytes} in the file, heard {got_bytes}")
        off = abs((frame - got[0][0]) / FRAMES_PER_MS - (want_ms - want[0][0]))
        worst = max(worst, off)
    print(f"{path}: {len(want)} messages in order, worst time error {worst:.2f} ms")
    if worst > float(tolerance):
        fail(f"{path}: off by {worst:.2f} ms, allowed {tolerance}", 1)


def check_export(midi_path, tbr_path):
    with open(tbr_path, "rb") as f:
        data = f.read()
    count = struct.unpack_from("<i", data, 8)[0]
    want, now = [], 0
    for i in range(count):
        delay, value = struct.unpack_from("<iI", data, 12 + 8 * i)
        now += delay
        size = 2 if value & 0xE0 == 0xC0 else 3
        want.append((now, [value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF][:size]))
    got = [(round(ms), message) for ms, message in file_messages(midi_path)]
    if got != want:
        fail(f"export: {got} differs from the recording's {want}")
    print(f"export: {len(got)} messages agree with the recording")


def bench_song(path, events):
    """Note on, note off, on the next note up, ...; 0 to 10 ticks of 0.52 ms apart."""
    midi = mido.MidiFile(type=1, ticks_per_beat=960)
    midi.tracks.append(mido.MidiTrack([
        mido.MetaMessage("set_tempo", tempo=500000, time=0),
        mido.MetaMessage("set_tempo", tempo=400000, time=events * 5 // 2),
    ]))
    tracks = [mido.MidiTrack() for _ in range(4)]
    last = [0] * 4
    tick = 0
    for i in range(int(events)):
        tick += (i * 7) % 6 * 2
        channel = (i // 2) % 4
        note = 48 + (i // 2) % 36
        kind = "note_on" if i % 2 == 0 else "note_off"
        tracks[channel].append(mido.Message(kind, channel=channel, note=note, velocity=100 if
                                            kind == "note_on" else 0, time=tick - last[channel]))
        last[channel] = tick
    midi.tracks.extend(tracks)
    midi.save(path)


def traced(trace, skip):
    """The piano's own trace of what it sent: "NS STATUS DATA1 DATA2", as (frames, bytes)."""
    lines = []
    with open(trace) as f:
        for line in f:
            ns, *hex_bytes = line.split()
            data = [int(b, 16) for b in hex_bytes]
            size = 2 if data[0] & 0xE0 == 0xC0 else 3
            lines.append((int(ns) / 1e6 * FRAMES_PER_MS, data[:size]))
    return lines[skip:]


def lateness(log, skip, path):
    want = file_messages(path)
    got = (traced if log.endswith(".trace") else heard)(log, int(skip))
    offsets, j = [], 0
    for want_ms, want_bytes in want:
        if j < len(got) and got[j][1] == want_bytes:
            offsets.append(got[j][0] / FRAMES_PER_MS - want_ms)
            j += 1
    if len(offsets) < len(want) * 0.9:
        fail(f"only {len(offsets)} of {len(want)} messages heard in order")
    least = min(offsets)
    late = sorted(o - least for o in offsets)
    n = len(late)
    print(f"lateness against the song's times (ms, {n} of {len(want)} messages heard): "
          f"p50 {late[n // 2]:.3f}  p99 {late[int(n * 0.99)]:.3f}  max {late[-1]:.3f}")
    print(f"whole song: {(got[j - 1][0] - got[0][0]) / FRAMES_PER_MS:.1f} ms heard for "
          f"{want[-1][0] - want[0][0]:.1f} ms in the file")


command = sys.argv[1]
if command == "write":
    format0().save(sys.argv[2] + "/format-0.mid")
    format1().save(sys.argv[2] + "/format-1.mid")
elif command == "count":
    print(len(file_messages(sys.argv[2])))
elif command == "compare":
    compare(*sys.argv[2:6])
elif command == "bench":
    bench_song(sys.argv[2], int(sys.argv[3]))
elif command == "lateness":
    lateness(*sys.argv[2:5])
elif command == "export":
    check_export(*sys.argv[2:4])
else:
    fail("unknown command " + command)
