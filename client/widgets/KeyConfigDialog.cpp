#include "KeyConfigDialog.h"

#include "KeyConfigLayout.h"

#include "client/formats/KeymapFile.h"
#include "client/keyboard/KeyStateSource.h"
#include "client/platform/Dialogs.h"
#include "client/widgets/PianoKeysView.h"
#include "common/desktop/FontFit.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace tamber {

namespace layout = keyconfig_layout;

namespace {

// A caption shows its character as it is: "&" must not become a mnemonic.
QString buttonText(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

KeyConfigDialog::KeyConfigDialog(Links links, QWidget* parent) : QDialog(parent), m_links(links)
{
    setObjectName(QStringLiteral("frmKeyConfig"));
    setWindowTitle(tr("Tamber Piano - Key Config"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(layout::clientArea().size());

    // The keymap's 29 keys, drawn as the main window draws its keyboard; never lit here.
    m_picKeys = new PianoKeysView(kKeymapNotes, this);
    m_picKeys->setObjectName(QStringLiteral("picKeys"));
    m_picKeys->setGeometry(layout::picKeys());

    QFont small = font();
    small.setPointSize(7);
    for (int k = 0; k < kKeymapNotes; ++k) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdSet%1").arg(k));
        button->setGeometry(layout::cmdSet(k));
        button->setFont(small);
        button->setStyleSheet(QStringLiteral("padding: 0px;"));
        // No focus: a captured Space or Enter must never click a note button.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, k] { cmdSet_Click(k); });
        m_cmdSet[size_t(k)] = button;
    }

    m_lblInstruction = new QLabel(this);
    m_lblInstruction->setObjectName(QStringLiteral("lblInstruction"));
    m_lblInstruction->setGeometry(layout::lblInstruction());

    auto makeButton = [this](const char* name, const QString& caption, const QRect& where) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(where);
        // The desktop's stand-in for the design's font is wider: "Save Keymap" lost a pixel at
        // each end. Two pixels a side are the button's frame.
        button->setFont(fittedFont(designFont(), [&](const QFont& font) {
            return QFontMetrics(font).horizontalAdvance(caption) <= where.width() - 4;
        }));
        button->setAutoDefault(false);
        button->installEventFilter(this);
        return button;
    };
    m_cmdSave = makeButton("cmdSave", tr("Save Keymap"), layout::cmdSave());
    m_cmdLoad = makeButton("cmdLoad", tr("Load Keymap"), layout::cmdLoad());
    m_cmdOK = makeButton("cmdOK", tr("OK"), layout::cmdOK());
    m_cmdOK->setDefault(true); // Enter closes the dialog when no key is awaited
    connect(m_cmdSave, &QPushButton::clicked, this, &KeyConfigDialog::cmdSave_Click);
    connect(m_cmdLoad, &QPushButton::clicked, this, &KeyConfigDialog::cmdLoad_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &KeyConfigDialog::cmdOK_Click);
    installEventFilter(this);
    // The captions are the user's own key labels: another layout relabels them at once.
    connect(&m_links.keys, &KeyStateSource::layoutChanged, this, &KeyConfigDialog::ShowKeymap);
    // Queued: the key event that changed the state is first swallowed by the waiting dialog
    // (eventFilter), so a captured Enter or Escape never reaches the dialog as well.
    connect(&m_links.keys, &KeyStateSource::changed, this, &KeyConfigDialog::keyStateChanged,
            Qt::QueuedConnection);

    fitTexts(*this);
    Form_Load();
}

void KeyConfigDialog::showModal()
{
    Form_Load();
    exec();
}

void KeyConfigDialog::Form_Load()
{
    ShowKeymap();
    m_lblInstruction->setText(tr("Please select a note to configure..."));
    fitText(*m_lblInstruction);
}

void KeyConfigDialog::ShowKeymap()
{
    const auto captions =
        keymapCaptions(m_links.keymap, [this](uint8_t vk) { return m_links.keys.label(vk); });
    for (int k = 0; k < kKeymapNotes; ++k)
        m_cmdSet[size_t(k)]->setText(buttonText(captions[size_t(k)]));
}

void KeyConfigDialog::cmdSet_Click(int index)
{
    if (m_capture || index < 0 || index >= kKeymapNotes)
        return;
    m_lblInstruction->setText(tr("Press a key to assign to this note..."));
    fitText(*m_lblInstruction);
    m_capture.emplace(Wait{index, KeyCapture(m_links.keys)});
    setWaiting(true);
}

void KeyConfigDialog::keyStateChanged()
{
    if (!m_capture)
        return;
    const uint8_t CapturedKey = m_capture->capture.poll();
    if (CapturedKey == 0)
        return;
    const int note = m_capture->note;
    endWait();
    assignKey(m_links.keymap, uint8_t(note), CapturedKey);
    ShowKeymap();
}

void KeyConfigDialog::endWait()
{
    m_capture.reset();
    setWaiting(false);
    m_lblInstruction->setText(tr("Please select a note to configure..."));
    fitText(*m_lblInstruction);
}

void KeyConfigDialog::setWaiting(bool waiting)
{
    // No second wait may start inside this one and take a note's key away.
    for (QPushButton* button : m_cmdSet)
        button->setEnabled(!waiting);
    m_cmdLoad->setEnabled(!waiting);
    m_cmdSave->setEnabled(!waiting);
}

void KeyConfigDialog::cmdLoad_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.title = tr("Load Keymap");
    request.filter = tr("Tamber Piano Keymap (*.tmk)");
    request.mustExist = true;
    const QString path = m_links.fileDialogs.ask(request);
    if (!path.isEmpty())
        m_links.keymapFiles.LoadKeymap(path);
    ShowKeymap();
}

void KeyConfigDialog::cmdSave_Click()
{
    // A save may name a new file; replacing an existing one is confirmed first. No default
    // extension: the name is used as typed.
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = tr("Save Keymap");
    request.filter = tr("Tamber Piano Keymap (*.tmk)");
    request.mustExist = false;
    request.confirmOverwrite = true;
    const QString path = m_links.fileDialogs.ask(request);
    if (!path.isEmpty())
        m_links.keymapFiles.SaveKeymap(path);
    ShowKeymap();
}

void KeyConfigDialog::cmdOK_Click()
{
    accept();
}

void KeyConfigDialog::done(int result)
{
    if (m_capture)
        endWait();
    QDialog::done(result);
}

// While a key is awaited every key belongs to the capture: Enter and Escape must not close
// the dialog, Space must not click the focused button, Tab must not move the focus. The
// key-state source, an application filter, has seen the key before this runs.
bool KeyConfigDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (m_capture) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tamber
