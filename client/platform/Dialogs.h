#pragma once

#include "common/platform/MessageBoxes.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tamber {

struct FileDialogRequest
{
    enum class Kind
    {
        Open,
        Save
    };
    Kind kind = Kind::Open;
    QString title;
    QString filter;               // Qt style: "Name (*.ext)"
    bool mustExist = false;       // Open: only existing files may be chosen
    bool confirmOverwrite = true; // Save: ask before replacing an existing file
    QString defaultSuffix;        // Save: added to a name typed without one ("mid")
};

// Common file dialogs: an empty string means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString ask(const FileDialogRequest& request) = 0;
};

// A one-line text prompt; std::nullopt when cancelled.
class InputBox
{
public:
    virtual ~InputBox() = default;
    virtual std::optional<QString> ask(const QString& prompt, const QString& title,
                                       const QString& initialText) = 0;
    // The same line with a drop-down of earlier answers to pick from, in the order given.
    virtual std::optional<QString> askWithChoices(const QString& prompt, const QString& title,
                                                  const QString& initialText,
                                                  const QStringList& choices) = 0;
};

// Shows a page of the program's help.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    // Returns false (and changes nothing) when the help file is missing.
    virtual bool show(const QString& helpFile, const QString& topic) = 0;
    // Closes the help window, if it is open: the program is ending.
    virtual void close() = 0;
};

} // namespace tamber
