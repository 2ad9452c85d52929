#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace tamber {

// The General MIDI program names, by program number 0..127.
const std::array<const char*, 128>& InstrumentNames();

// The 128 entries of the instrument list: "1. Acoustic Grand Piano" ... "128. Gunshot".
QStringList InitInstruments();

// The seven note letters, "A".."G".
inline constexpr std::array<char, 7> NoteNames{'A', 'B', 'C', 'D', 'E', 'F', 'G'};

// The caption of the label under white key `label` (0..35): the lowest white key is a C.
inline QString noteLabelCaption(int label)
{
    return QString(QLatin1Char(NoteNames[(label + 2) % 7]));
}

} // namespace tamber
