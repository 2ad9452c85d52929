#pragma once

#include "client/keyboard/Keymap.h"
#include "client/platform/Dialogs.h"

#include <QString>

namespace tamber {

class Stream;

// Moves a keymap between the KeyNote/KeyMapped tables and a .tmk file.
//
//   offset 0  "TMKM"                 magic, read and written as one Long
//          4  major minor revision   one byte each, the version of the writer
//          7  records:  01 key note  key plays semitone offset note (0..28)
//                       00           end of the list
//                       other        ignored; the next byte is read as a tag
//
// A file with m mapped keys is 7 + 3m + 1 bytes. Bytes after the end record are never
// read, so saving over a longer file may leave them in place. The file is read once, front
// to back, so however many ignored tags it holds it costs one pass.
class KeymapFiles
{
public:
    KeymapFiles(Keymap& keymap, MessageBoxes& boxes);

    // Replaces the keymap with the file's, reporting problems in message boxes. The keymap
    // changes only once the magic and the major version have been accepted; a file that
    // cannot be read leaves it as it was. A missing file is reported but never created.
    void LoadKeymap(const QString& path);
    // Writes the keymap and confirms with "Keymap Saved!"; a file that cannot be written
    // gives an error box instead.
    void SaveKeymap(const QString& path);

    // Invalid values get a box each up to this many; one more box counts the rest.
    static constexpr int kInvalidValueBoxes = 3;

private:
    void readRecords(Stream& file);

    Keymap& m_keymap;
    MessageBoxes& m_boxes;
};

} // namespace tamber
