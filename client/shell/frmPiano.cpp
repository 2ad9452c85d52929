#include "frmPiano.h"

#include "common/desktop/FontFit.h"
#include "common/language/LanguageChoice.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionComboBox>

namespace tamber {

namespace {
// Layout is drawn in twips; 15 twips make one logical pixel.
constexpr int px(int twips)
{
    return twips / 15;
}
QRect twipRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}
constexpr int kNoteLabels = 36;

// Every control carries its name as its objectName: how tests, and Qt's tools, find it.
template <typename Control> Control* named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

// The entry the instrument list was drawn to show whole.
const QString kDesignedInstrumentEntry = QStringLiteral("1. Acoustic Grand Piano");

// The width in which a combo box shows its current entry: its edit field, less the pixel the
// label keeps clear on each side.
int entryWidth(const QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.rect = QRect(QPoint(), combo.size());
    return combo.style()
               ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
               .width() -
           2;
}
} // namespace

frmPiano::frmPiano(MessageBoxes& messageBoxes, const PianoState& state, QWidget* parent)
    : QMainWindow(parent), m_messageBoxes(messageBoxes), m_state(state)
{
    setObjectName(QStringLiteral("frmPiano"));
    setWindowTitle(QStringLiteral("Tamber Piano"));
    buildControls();
    buildMenus();
    fitTexts(*this);
    setFixedSize(sizeHint());
    connect(&state, &PianoState::instrumentChanged, this, &frmPiano::showInstrument);
    connect(&state, &PianoState::baseOctaveChanged, this, &frmPiano::showBaseOctave);
}

void frmPiano::buildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(px(8880), px(3015));
    setCentralWidget(client);

    fraInstrument = named(new QGroupBox(tr("Instrument"), client), QStringLiteral("fraInstrument"));
    fraInstrument->setGeometry(twipRect(120, 120, 2535, 1335));

    cmbInstruments = named(new QComboBox(fraInstrument), QStringLiteral("cmbInstruments"));
    cmbInstruments->setGeometry(twipRect(120, 240, 2295, 315));
    const int width = entryWidth(*cmbInstruments);
    cmbInstruments->setFont(fittedFont(designFont(), [width](const QFont& font) {
        return QFontMetrics(font).horizontalAdvance(kDesignedInstrumentEntry) <= width;
    }));
    // The keys belong to the piano: a focused list would jump to "2. ..." on the 2 key.
    cmbInstruments->setFocusPolicy(Qt::NoFocus);
    cmbInstruments->setEditable(false);
    connect(cmbInstruments, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            emit instrumentChosen(index);
    });

    fraOctave = named(new QGroupBox(tr("Base Octave"), fraInstrument), QStringLiteral("fraOctave"));
    fraOctave->setGeometry(twipRect(120, 600, 2295, 615));
    for (int i = 0; i < 5; ++i) {
        auto* button = named(new QPushButton(QString::number(i + 1), fraOctave),
                             QStringLiteral("cmdOctave%1").arg(i));
        button->setGeometry(twipRect(120 + 450 * i, 240, 255, 255));
        button->setFocusPolicy(Qt::NoFocus);
        button->setFont(designFont(i == m_state.BaseOctave()));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdOctave_Click(i); });
        cmdOctave.append(button);
    }

    fraRecording = named(new QGroupBox(tr("Recording"), client), QStringLiteral("fraRecording"));
    fraRecording->setGeometry(twipRect(2760, 120, 1815, 1095));
    cmdRecord = named(new QPushButton(tr("Record"), fraRecording), QStringLiteral("cmdRecord"));
    cmdRecord->setGeometry(twipRect(120, 240, 735, 375));
    cmdRecord->setEnabled(false);
    cmdRecord->setFocusPolicy(Qt::NoFocus);
    connect(cmdRecord, &QPushButton::clicked, this, &frmPiano::recordClicked);
    cmdPlay = named(new QPushButton(tr("Play"), fraRecording), QStringLiteral("cmdPlay"));
    cmdPlay->setGeometry(twipRect(960, 240, 735, 375));
    cmdPlay->setEnabled(false);
    cmdPlay->setFocusPolicy(Qt::NoFocus);
    connect(cmdPlay, &QPushButton::clicked, this, &frmPiano::playClicked);
    lblFile = named(new QLabel(tr("File: None"), fraRecording), QStringLiteral("lblFile"));
    lblFile->setGeometry(twipRect(120, 720, 1575, 255));

    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(client);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setGeometry(px(2760), px(1320 + 120 * i), px(8760 - 2760), 1);
    }

    picKeys = named(new PianoKeysView(kKeyCount, client), QStringLiteral("picKeys"));
    picKeys->setGeometry(twipRect(120, 1560, 8655, 1095));

    QFont terminal(QStringLiteral("Terminal"));
    terminal.setStyleHint(QFont::Monospace);
    terminal.setPointSize(6);
    terminal.setBold(true);
    for (int j = 0; j < kNoteLabels; ++j) {
        auto* label =
            named(new QLabel(QStringLiteral("##"), client), QStringLiteral("lblNote%1").arg(j));
        label->setGeometry(twipRect(120 + 240 * j, 2760, 255, 135));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(terminal);
        label->installEventFilter(this);
        lblNote.append(label);
    }
}

void frmPiano::buildMenus()
{
    QMenu* file = named(menuBar()->addMenu(tr("&File")), QStringLiteral("mnuFile"));
    mnuNew = named(file->addAction(tr("&New..."), QKeySequence(Qt::CTRL | Qt::Key_N), this,
                                   &frmPiano::newRecordingRequested),
                   QStringLiteral("mnuNew"));
    mnuOpen = named(file->addAction(tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                                    &frmPiano::openRecordingRequested),
                    QStringLiteral("mnuOpen"));
    mnuExportMidi =
        named(file->addAction(tr("&Export MIDI File..."), this, &frmPiano::exportMidiRequested),
              QStringLiteral("mnuExportMidi"));
    mnuExportMidi->setEnabled(false);
    file->addSeparator();
    mnuExit =
        named(file->addAction(tr("E&xit"), this, &frmPiano::close), QStringLiteral("mnuExit"));

    QMenu* options = named(menuBar()->addMenu(tr("&Options")), QStringLiteral("mnuOptions"));
    mnuKeyConfig =
        named(options->addAction(tr("&Key Config..."), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                 &frmPiano::keyConfigRequested),
              QStringLiteral("mnuKeyConfig"));
    // The metronome was planned but does nothing yet.
    mnuMetronome = named(options->addAction(tr("&Metronome...")), QStringLiteral("mnuMetronome"));
    mnuMetronome->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    options->addSeparator();
    mnuOutput = named(options->addMenu(tr("&Output Device")), QStringLiteral("mnuOutput"));
    mnuPCSpeaker = named(mnuOutput->addAction(tr("(PC Speaker)")), QStringLiteral("mnuPCSpeaker"));
    mnuPCSpeaker->setCheckable(true);
    connect(mnuPCSpeaker, &QAction::triggered, this, [this] {
        // The program, not Qt, decides the check marks.
        mnuPCSpeaker->setChecked(!mnuPCSpeaker->isChecked());
        emit pcSpeakerClicked();
    });
    mnuInput = named(options->addMenu(tr("&Input Device")), QStringLiteral("mnuInput"));
    setOutputItems({tr("(None)")});
    setInputItems({tr("(None)")});
    buildLanguageMenu(options);

    QMenu* corvent = named(menuBar()->addMenu(tr("&Corvent")), QStringLiteral("mnuCorvent"));
    mnuJoinSession =
        named(corvent->addAction(tr("&Join Session..."), QKeySequence(Qt::CTRL | Qt::Key_J), this,
                                 &frmPiano::joinSessionRequested),
              QStringLiteral("mnuJoinSession"));

    QMenu* help = named(menuBar()->addMenu(tr("&Help")), QStringLiteral("mnuHelp"));
    mnuHelpContents = named(
        help->addAction(tr("&Help"), QKeySequence(Qt::Key_F1), this, &frmPiano::helpRequested),
        QStringLiteral("mnuHelpContents"));
    mnuAbout = named(help->addAction(tr("&About..."), this, &frmPiano::aboutRequested),
                     QStringLiteral("mnuAbout"));
}

void frmPiano::buildLanguageMenu(QMenu* options)
{
    mnuLanguage = named(options->addMenu(tr("&Language")), QStringLiteral("mnuLanguage"));
    auto* choices = new QActionGroup(mnuLanguage);
    // The system's choice, then every language by its own name, so a reader finds their own
    // whatever language the program speaks now.
    QStringList codes{LanguageChoice::kSystem};
    QStringList captions{tr("System")};
    for (const Language& language : shippedLanguages()) {
        codes << language.code;
        captions << language.name;
    }
    for (int k = 0; k < codes.size(); ++k) {
        QAction* item =
            named(mnuLanguage->addAction(captions[k]), QStringLiteral("mnuLanguage%1").arg(k));
        item->setCheckable(true);
        item->setData(codes[k]);
        choices->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, code = codes[k]] { emit languageChosen(code); });
    }
    mnuLanguage->addSeparator();
    QAction* note = named(mnuLanguage->addAction(tr("Takes effect at the next start")),
                          QStringLiteral("mnuLanguageNote"));
    note->setEnabled(false);
}

void frmPiano::setLanguageChecked(const QString& code)
{
    for (QAction* item : mnuLanguage->actions()) {
        if (item->isCheckable())
            item->setChecked(item->data().toString() == code);
    }
}

void frmPiano::fillDeviceMenu(QMenu* menu, QVector<QAction*>& items, const QString& name,
                              const QStringList& captions, const std::function<void(int)>& clicked)
{
    for (QAction* item : items) {
        menu->removeAction(item);
        delete item;
    }
    items.clear();
    for (int k = 0; k < captions.size(); ++k) {
        QAction* item = named(
            menu->addAction(QString(captions[k]).replace(QLatin1Char('&'), QStringLiteral("&&"))),
            name + QString::number(k));
        item->setCheckable(true);
        QObject::connect(item, &QAction::triggered, item, [item, clicked, k] {
            item->setChecked(!item->isChecked());
            clicked(k);
        });
        items.append(item);
    }
}

void frmPiano::setOutputItems(const QStringList& captions)
{
    fillDeviceMenu(mnuOutput, mnuOutDevice, QStringLiteral("mnuOutDevice"), captions,
                   [this](int k) { emit outputItemClicked(k); });
}

void frmPiano::setInputItems(const QStringList& captions)
{
    fillDeviceMenu(mnuInput, mnuInDevice, QStringLiteral("mnuInDevice"), captions,
                   [this](int k) { emit inputItemClicked(k); });
}

void frmPiano::setOutputChecked(int item, bool checked)
{
    if (item >= 0 && item < mnuOutDevice.size())
        mnuOutDevice[item]->setChecked(checked);
}

void frmPiano::setInputChecked(int item, bool checked)
{
    if (item >= 0 && item < mnuInDevice.size())
        mnuInDevice[item]->setChecked(checked);
}

void frmPiano::setPCSpeakerChecked(bool checked)
{
    mnuPCSpeaker->setChecked(checked);
}

int frmPiano::checkedOutputItem() const
{
    for (int k = 0; k < mnuOutDevice.size(); ++k) {
        if (mnuOutDevice[k]->isChecked())
            return k;
    }
    return -1;
}

int frmPiano::checkedInputItem() const
{
    for (int k = 0; k < mnuInDevice.size(); ++k) {
        if (mnuInDevice[k]->isChecked())
            return k;
    }
    return -1;
}

bool frmPiano::isPCSpeakerChecked() const
{
    return mnuPCSpeaker->isChecked();
}

void frmPiano::cmdOctave_Click(int index)
{
    emit octaveChosen(index);
}

void frmPiano::showBaseOctave(int octave)
{
    for (int i = 0; i < cmdOctave.size(); ++i)
        cmdOctave[i]->setFont(designFont(i == octave));
}

void frmPiano::lblNote_DblClick(int index)
{
    if (index == 12)
        m_messageBoxes.show(tr("This is a note."), tr("Random Message"),
                            MessageBoxes::Icon::Information);
}

bool frmPiano::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        const int index = lblNote.indexOf(static_cast<QLabel*>(watched));
        if (index >= 0) {
            lblNote_DblClick(index);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmPiano::setInstruments(const QStringList& entries)
{
    const QSignalBlocker quiet(cmbInstruments);
    cmbInstruments->clear();
    cmbInstruments->addItems(entries);
    cmbInstruments->setCurrentIndex(m_state.instrument());
}

void frmPiano::showInstrument(int program)
{
    const QSignalBlocker quiet(cmbInstruments);
    cmbInstruments->setCurrentIndex(program);
}

void frmPiano::captionNoteLabels(const std::function<QString(int)>& caption)
{
    for (int j = 0; j < lblNote.size(); ++j)
        lblNote[j]->setText(caption(j));
}

void frmPiano::setRecordEnabled(bool enabled)
{
    cmdRecord->setEnabled(enabled);
}

void frmPiano::setRecordCaption(const QString& caption)
{
    cmdRecord->setText(caption);
    fitText(*cmdRecord);
}

void frmPiano::setPlayEnabled(bool enabled)
{
    cmdPlay->setEnabled(enabled);
}

void frmPiano::setPlayCaption(const QString& caption)
{
    cmdPlay->setText(caption);
    fitText(*cmdPlay);
}

void frmPiano::setFileLabel(const QString& text)
{
    lblFile->setText(text);
    fitText(*lblFile);
}

void frmPiano::setExportEnabled(bool enabled)
{
    mnuExportMidi->setEnabled(enabled);
}

void frmPiano::setJoinSessionEnabled(bool enabled)
{
    mnuJoinSession->setEnabled(enabled);
}

void frmPiano::closeEvent(QCloseEvent* event)
{
    // The shut-down runs once, however the window is closed (Exit, the close box, the
    // end of the program).
    if (!m_shutDown) {
        m_shutDown = true;
        if (m_shutdown)
            m_shutdown();
    }
    event->accept();
}

} // namespace tamber
