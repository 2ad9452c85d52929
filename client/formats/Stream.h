#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

namespace tamber {

// The client's binary file: every item is one positioned read or write on the file itself,
// little-endian, at the 1-based Pointer, which moves on by the item's size.
//
// Reads past the end of the file give zero bytes. On a closed stream the Byte, Integer and
// Long operations touch nothing but still move Pointer. Strings are raw bytes
// (Windows-1252 text), never converted through a locale.
//
// There is no buffer in user space: a write is in the operating system's hands when the
// call returns, so a killed program loses nothing it wrote.
class Stream
{
public:
    enum class Mode
    {
        // Creates a missing file and never truncates; an existing file that may not be
        // written is opened for reading only (isWritable() tells).
        ReadWrite,
        // For readers: never creates or changes a file; fails when the file is missing.
        ReadOnly,
    };

    int32_t Pointer = 1;

    uint8_t ReadByte();
    int16_t ReadInteger();
    int32_t ReadLong();
    // Length not 0: that many bytes. Length 0: a Long n, then n bytes. Either way the text
    // is cut where the file ends, and Pointer moves by the full size.
    QByteArray ReadString(int32_t Length = 0);
    // Reads `count` bytes at Pointer in one call: what the file holds there, zeros beyond its
    // end. Returns how many bytes came from the file; Pointer moves by `count`.
    qint64 ReadBlock(char* out, qint64 count);
    // Length not 0 only selects the fixed form: Value is written whole, neither padded nor
    // cut. Length 0: the byte count as a Long, then the bytes.
    // The write functions return false when the bytes did not reach the file (closed
    // stream, read-only file, disk full); Pointer moves on in every case.
    bool WriteString(const QByteArray& Value, int32_t Length = 0);
    bool WriteByte(uint8_t Value);
    bool WriteInteger(int16_t Value);
    bool WriteLong(int32_t Value);
    // Closes any file still open, sets Pointer to 1. False when the file cannot be opened;
    // errorString() then says why. Only regular files are opened: a FIFO would block until
    // some writer came, and a device or a folder holds no file of ours.
    bool OpenFile(const QString& FileName, Mode mode = Mode::ReadWrite);
    void CloseFile();

    bool isOpen() const { return m_file.isOpen(); }
    bool isWritable() const { return m_file.isOpen() && m_file.isWritable(); }
    // Size of the open file in bytes; 0 when closed.
    qint64 size() const { return m_file.isOpen() ? m_file.size() : 0; }
    QString errorString() const { return m_error; }

private:
    bool writeAt(const char* data, int count);
    bool openRegular(const QString& FileName, Mode mode);
    qint64 bytesLeft() const; // from Pointer to the end of the file
    qint64 offset() const { return qint64(Pointer) - 1; }
    void advance(int64_t count) { Pointer = int32_t(uint32_t(Pointer) + uint32_t(count)); }

    QFile m_file;
    QString m_error;
};

} // namespace tamber
