#pragma once

// A name as the operator sees it in the slot list: the client's bytes, except that every byte
// a screen would obey instead of show is written out as \xNN (and a backslash as \\), so a
// name can neither move the cursor, colour the terminal nor start a line of its own.

#include <QByteArray>

namespace tamber::server {

// How the bytes 0x80..0x9F will be shown.
enum class HighBytes
{
    // As Windows-1252 (the window): only the five bytes without a character there are controls.
    Windows1252,
    // As Latin-1 (a terminal or log): all of them are C1 controls.
    Latin1
};

QByteArray shownName(const QByteArray& name, HighBytes shownAs);

} // namespace tamber::server
