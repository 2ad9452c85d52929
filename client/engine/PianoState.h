#pragma once

#include <QByteArray>
#include <QObject>
#include <cstdint>

namespace tamber {

// The program's state that more than one part reads: the instrument chosen, the base octave
// and who the local player is. PianoApp owns it; the main window shows it, the note engine,
// the poller and the session read it.
class PianoState : public QObject
{
    Q_OBJECT
public:
    static constexpr uint8_t kStartOctave = 3;

    // The General MIDI program chosen in the instrument list, 0..127.
    uint8_t instrument() const { return m_instrument; }
    void setInstrument(uint8_t program);
    // 0..4: a key of offset k plays note 12 * (BaseOctave + 3) + k.
    uint8_t BaseOctave() const { return m_baseOctave; }
    void setBaseOctave(uint8_t octave);

    // The local user's number: 0 outside a session, the server's slot number 1..8 inside one.
    // It is also the MIDI channel of every local note and the colour of its keys. Written by
    // the session; nothing on screen shows it, so a change emits nothing.
    int32_t MyUserID() const { return m_myUserID; }
    void setMyUserID(int32_t id) { m_myUserID = id; }
    // Windows-1252 bytes, as the server sent them; empty outside a session.
    const QByteArray& MyUserName() const { return m_myUserName; }
    void setMyUserName(const QByteArray& name) { m_myUserName = name; }

signals:
    void instrumentChanged(int program);
    void baseOctaveChanged(int octave);

private:
    uint8_t m_instrument = 0;
    uint8_t m_baseOctave = kStartOctave;
    int32_t m_myUserID = 0;
    QByteArray m_myUserName;
};

inline void PianoState::setInstrument(uint8_t program)
{
    if (program == m_instrument)
        return;
    m_instrument = program;
    emit instrumentChanged(program);
}

inline void PianoState::setBaseOctave(uint8_t octave)
{
    if (octave == m_baseOctave)
        return;
    m_baseOctave = octave;
    emit baseOctaveChanged(octave);
}

} // namespace tamber
