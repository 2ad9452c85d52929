#pragma once

#include "client/keyboard/Keymap.h"
#include "client/keyboard/KeymapEdit.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;

namespace tamber {

class FileDialogs;
class KeyStateSource;
class KeymapFiles;

// frmKeyConfig: reassigns the keys of the keymap's 29 notes and loads and saves keymaps.
// Every edit changes the live keymap at once; there is no Cancel.
//
// The main window creates it once and calls showModal() for every opening. A note button
// puts it in a waiting mode that the key-state source ends with the next key pressed.
class KeyConfigDialog : public QDialog
{
    Q_OBJECT
public:
    struct Links
    {
        Keymap& keymap;
        const KeyStateSource& keys; // the same source the poller reads
        FileDialogs& fileDialogs;
        KeymapFiles& keymapFiles;
    };

    explicit KeyConfigDialog(Links links, QWidget* parent = nullptr);

    // Form_Load, then the modal loop; returns when the dialog has been closed.
    void showModal();

    void ShowKeymap();
    void cmdSet_Click(int index);
    void cmdLoad_Click();
    void cmdSave_Click();
    void cmdOK_Click();

    bool isWaiting() const { return m_capture.has_value(); }

    // Form_Unload, whichever way the dialog closes (OK, close box, Escape): ends a wait
    // without assigning anything.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void setWaiting(bool waiting);
    void keyStateChanged();
    void endWait();

    Links m_links;
    // The note whose key is awaited, with the capture that finds the key; none while idle.
    struct Wait
    {
        int note;
        KeyCapture capture;
    };
    std::optional<Wait> m_capture;

    QWidget* m_picKeys = nullptr;
    std::array<QPushButton*, kKeymapNotes> m_cmdSet{};
    QLabel* m_lblInstruction = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QPushButton* m_cmdLoad = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace tamber
