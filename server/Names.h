#pragma once

// What a player's name may be, and when two names are one to a reader. Names are Windows-1252
// bytes (common/protocol/Text.h). A name may not hold a control character (C0, DEL, or a C1
// code: the bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D that Windows-1252 leaves undefined), nor
// begin or end with a blank, nor be empty once its invisible characters are gone. Two names
// are one when they are equal after folding case, dropping soft hyphens and reading no-break
// spaces as spaces: "User" + soft hyphen + "1" is "User1".

#include <QByteArray>
#include <QString>
#include <functional>

namespace tamber::server {

inline constexpr qsizetype kMaxUserName = 10;

enum class NameFault
{
    None,
    Empty,
    Blank,   // at either end
    Control, // anywhere
    TooLong,
};

NameFault nameFault(const QByteArray& name);
// The form two names are compared in.
QString comparableName(const QByteArray& name);
bool sameName(const QByteArray& a, const QByteArray& b);

// The name a seat starts with: "User3".
QByteArray defaultName(int seat);
// The seat (1 to 8) whose default name this is, compared as names are; 0 for none.
int defaultSeatOf(const QByteArray& name);

// `wanted`, or the first of wanted + "-2", "-3", ... that `taken` does not hold.
QByteArray uniqueName(const QByteArray& wanted,
                      const std::function<bool(const QByteArray&)>& taken);

} // namespace tamber::server
