#pragma once

// The session wire format, shared by the piano and the relay server.
//
//   message  = field NUL { field NUL } SOH
//   field    = bytes other than NUL (0x00) and SOH (0x01); field 0 is the command word
//
//   "NoteOn" 00 "60" 00 "127" 00 01      client -> server, middle C at full strength
//   "NoteOn" 00 "60" 00 "127" 00 "3" 00 01   server -> all, stamped with sender 3
//
// One byte per character (Windows-1252, see Text.h), numbers as plain unsigned decimal, no length
// prefix, no escaping. The receiver keeps the bytes after the last SOH until more arrive.

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace tamber::protocol {

inline constexpr uint16_t kPort = 9050;
inline constexpr char kFieldEnd = '\x00';
inline constexpr char kMessageEnd = '\x01';
// The longest message the server accepts: command word, fields and NULs, without the SOH.
inline constexpr qsizetype kMaxClientMessage = 60;

// Builds one complete message: every field followed by NUL, then SOH.
QByteArray buildMessage(const QList<QByteArray>& fields);
// The same without a list to build first, for the encoders on the relay's hot path.
QByteArray frameMessage(std::initializer_list<QByteArrayView> fields);
// The same appended to `out`, which keeps its capacity from one message to the next.
void appendMessage(QByteArray& out, std::initializer_list<QByteArrayView> fields);

// Splits a message (without its SOH) at every NUL. The empty field after the final NUL
// is not returned, so "NoteOn\0" "60\0" gives {"NoteOn", "60"}.
QList<QByteArray> splitFields(const QByteArray& message);

// A number field: plain decimal digits only (no sign, no blanks), at most maxValue.
std::optional<int> parseNumber(const QByteArray& field, int maxValue);

// Cuts one connection's byte stream into messages at SOH.
//
// Text that grows past the cap without an SOH is dropped, and the bytes up to and including
// the next SOH are skipped too, so the tail of an over-long message is never taken for a
// message of its own.
class MessageAssembler
{
public:
    explicit MessageAssembler(qsizetype pendingCap) : m_cap(pendingCap) {}

    // Appends bytes and returns every message completed by them, in order, without SOH.
    // Empty messages are returned as well; the caller decides what to skip.
    QList<QByteArray> feed(const QByteArray& bytes);
    // The same without copying: each message goes to `each` as a view valid during the call
    // only (most of them point into `bytes`). `each` returns false to leave the rest unread;
    // then the rest is lost, so a caller stops only when the stream itself is done with.
    template <typename Each> void feed(QByteArrayView bytes, Each&& each)
    {
        qsizetype start = 0;
        QByteArray completed;
        if (!beginFeed(bytes, &start, &completed))
            return;
        if (!completed.isNull() && !each(QByteArrayView(completed)))
            return;
        for (;;) {
            const qsizetype end = bytes.indexOf(kMessageEnd, start);
            if (end < 0)
                break;
            const QByteArrayView message = bytes.sliced(start, end - start);
            start = end + 1;
            if (!each(message))
                return;
        }
        keep(bytes.sliced(start));
    }
    void clear();
    qsizetype pendingSize() const { return m_pending.size(); }

private:
    // Skips the rest of an over-long text and completes the message begun before (into
    // `completed`); false when the bytes hold nothing more.
    bool beginFeed(QByteArrayView bytes, qsizetype* start, QByteArray* completed);
    // Bytes after the last SOH, until more arrive.
    void keep(QByteArrayView tail);

    QByteArray m_pending;
    qsizetype m_cap;
    bool m_skippingOverlong = false;
};

} // namespace tamber::protocol
