#pragma once

#include <QString>

namespace tamber {

// The data files the piano reads: the default keymap and the help page.
struct DataFiles
{
    QString defaultKeymap;
    QString help;
};

// The one place that decides where they come from. Both lie in the program's folder, except
// that a Default.tmk of the user's own in userFolder is read in place of the program's: an
// installed program's folder is read-only. userFolder may be empty. The help is the page of
// `language` (see helpPageIn), English when none is given.
DataFiles dataFilesIn(const QString& programFolder, const QString& userFolder,
                      const QString& language = {});

// The help page in `language` (a shipped language's code, "de", "pt_BR"): index.<code>.html
// in helpFolder when there is one, else the English index.html.
QString helpPageIn(const QString& helpFolder, const QString& language);

// The real folders: programFolder() and the user's data folder, userDataFolder().
DataFiles installedDataFiles(const QString& language);

// Beside the binary in the build tree; <prefix>/share/tamber-piano once installed.
QString programFolder();

// $XDG_DATA_HOME/tamber-piano, by default ~/.local/share/tamber-piano.
QString userDataFolder();

} // namespace tamber
