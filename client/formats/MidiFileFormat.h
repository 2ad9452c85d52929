#pragma once

// A Standard MIDI File (.mid), all multi-byte numbers big-endian:
//
//   header chunk
//     "MThd"                 chunk type
//     u32 length             6 (readers skip anything beyond the first 6 bytes)
//     u16 format             0: one track; 1: tracks played together; 2: separate songs
//     u16 tracks             number of track chunks that follow
//     u16 division           bit 15 clear: ticks per quarter note (tempo sets the quarter)
//                            bit 15 set:   -frames per second (24, 25, 29 = 29.97, 30) in the
//                                          high byte as signed, ticks per frame in the low
//   track chunk, `tracks` times (chunks of another type may come between: they are skipped)
//     "MTrk"                 chunk type
//     u32 length             bytes of events that follow
//     events:
//       vlq delta            ticks since the previous event of this track
//       then one of
//         8n..En d1 [d2]     channel message: 2 data bytes, 1 for Cn (program) and Dn
//         d1 [d2]            running status: the last channel status of this track again
//         F0 vlq len, data   SysEx
//         F7 vlq len, data   SysEx continuation or escaped bytes
//         FF type vlq len, data  meta event:
//                              03 track name           51 tempo: u24 us per quarter note
//                              2F end of track (len 0)  others: ignored here
//
//   vlq: 7 bits a byte, most significant first, bit 7 set on every byte but the last;
//   at most 4 bytes, so at most 0x0FFFFFFF.
//   Data bytes are 0..127; a status byte has bit 7 set. Without a tempo event a quarter
//   note lasts 500,000 us (120 bpm).

#include <cstdint>

namespace tamber::smf {

constexpr char kHeaderType[] = "MThd";
constexpr char kTrackType[] = "MTrk";
constexpr uint32_t kHeaderLength = 6;
constexpr int kChunkHeaderSize = 8;     // type and length
constexpr int kHeaderChunkSize = 8 + 6; // the whole header chunk
constexpr uint32_t kMaxVariableLength = 0x0FFFFFFF;
constexpr int kMaxVariableLengthBytes = 4;

constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kSysEx = 0xF0;
constexpr uint8_t kSysExEscape = 0xF7;
constexpr uint8_t kMetaText = 0x01;
constexpr uint8_t kMetaTrackName = 0x03;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;

constexpr uint32_t kDefaultTempo = 500000; // us per quarter note: 120 bpm

// Data bytes that follow a channel status byte (0x80..0xEF).
constexpr int dataBytesOf(uint8_t status)
{
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

} // namespace tamber::smf
