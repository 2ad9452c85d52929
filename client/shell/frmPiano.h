#pragma once

#include "client/engine/PianoState.h"
#include "client/platform/Dialogs.h"
#include "client/presenters/DeviceChoice.h"
#include "client/presenters/RecordingPanel.h"
#include "client/widgets/PianoKeysView.h"

#include <QMainWindow>
#include <QVector>
#include <functional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace tamber {

// The main window: instrument list, base-octave buttons, recording controls, the 61-key
// keyboard that shows what sounds, and the menus. It holds no program logic: its clicks
// are signals, it shows the instrument and the base octave of the state, and everything
// else it shows is set from outside.
class frmPiano : public QMainWindow, public DeviceMenuView, public RecordingView
{
    Q_OBJECT
public:
    frmPiano(MessageBoxes& messageBoxes, const PianoState& state, QWidget* parent = nullptr);

    // The keyboard, lit by the notes that sound.
    KeyLights& keyLights() { return *picKeys; }

    // Empties the list, then fills it; the state's instrument is the one shown.
    void setInstruments(const QStringList& entries);
    void captionNoteLabels(const std::function<QString(int)>& caption);

    // Options menu: item 0 is "(None)", item k >= 1 the device k - 1.
    void setOutputItems(const QStringList& captions) override;
    void setInputItems(const QStringList& captions) override;
    void setOutputChecked(int item, bool checked) override;
    void setInputChecked(int item, bool checked) override;
    void setPCSpeakerChecked(bool checked) override;
    int checkedOutputItem() const;
    int checkedInputItem() const;
    bool isPCSpeakerChecked() const;

    // Recording frame.
    void setRecordEnabled(bool enabled) override;
    void setRecordCaption(const QString& caption) override;
    void setPlayEnabled(bool enabled) override;
    void setPlayCaption(const QString& caption) override;
    void setFileLabel(const QString& text) override;
    void setExportEnabled(bool enabled) override;

    void setJoinSessionEnabled(bool enabled);

    // Options > Language: "System" or a language's code; the choice applies at the next start.
    void setLanguageChecked(const QString& code);

    // Runs the shut-down sequence when the window closes; the close is never refused.
    void setShutdown(std::function<void()> shutdown) { m_shutdown = std::move(shutdown); }

signals:
    void instrumentChosen(int index);
    void octaveChosen(int index);
    void newRecordingRequested();
    void openRecordingRequested();
    void exportMidiRequested();
    void recordClicked();
    void playClicked();
    void keyConfigRequested();
    void outputItemClicked(int item);
    void inputItemClicked(int item);
    void pcSpeakerClicked();
    void joinSessionRequested();
    void helpRequested();
    void aboutRequested();
    void languageChosen(const QString& code);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void cmdOctave_Click(int index);
    void lblNote_DblClick(int index);
    void showInstrument(int program);
    void showBaseOctave(int octave); // the bold button
    void buildMenus();
    void buildLanguageMenu(QMenu* options);
    static void fillDeviceMenu(QMenu* menu, QVector<QAction*>& items, const QString& name,
                               const QStringList& captions,
                               const std::function<void(int)>& clicked);

    MessageBoxes& m_messageBoxes;
    const PianoState& m_state;
    std::function<void()> m_shutdown;
    bool m_shutDown = false;

    // Each control carries its name here as its objectName (an index appended for those of
    // an array: "cmdOctave3", "mnuOutDevice0").
    QGroupBox* fraInstrument = nullptr;
    QComboBox* cmbInstruments = nullptr;
    QGroupBox* fraOctave = nullptr;
    QVector<QPushButton*> cmdOctave;
    QGroupBox* fraRecording = nullptr;
    QPushButton* cmdRecord = nullptr;
    QPushButton* cmdPlay = nullptr;
    QLabel* lblFile = nullptr;
    PianoKeysView* picKeys = nullptr;
    QVector<QLabel*> lblNote;

    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuExportMidi = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuKeyConfig = nullptr;
    QAction* mnuMetronome = nullptr;
    QMenu* mnuOutput = nullptr;
    QAction* mnuPCSpeaker = nullptr;
    QVector<QAction*> mnuOutDevice;
    QMenu* mnuInput = nullptr;
    QVector<QAction*> mnuInDevice;
    QMenu* mnuLanguage = nullptr;
    QAction* mnuJoinSession = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuAbout = nullptr;
};

} // namespace tamber
