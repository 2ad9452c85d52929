// The key configuration dialog, offscreen, with a fake key state and fake file dialogs.
#include "client/widgets/KeyConfigDialog.h"
#include "client/formats/KeymapFile.h"
#include "client/widgets/KeyConfigLayout.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/PresentedBoxes.h"
#include "tests/support/LayoutInvariants.h"
#include "tests/support/WindowControls.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace tamber {
namespace {
using fakes::WindowControls;

const QString kSelect = "Please select a note to configure...";
const QString kPress = "Press a key to assign to this note...";

// Runs f once the event loop now running (the modal loop, a wait) gets to it.
void later(std::function<void()> f)
{
    QTimer::singleShot(0, std::move(f));
}

struct DialogRig
{
    Keymap keymap;
    fakes::FakeKeyState keys;
    fakes::FakeFileDialogs fileDialogs;
    fakes::PresentedBoxes boxes;
    KeymapFiles files{keymap, boxes.reporter()};
    KeyConfigDialog dialog{{keymap, keys, fileDialogs, files}};

    void map(int vk, uint8_t note)
    {
        keymap.KeyNote[size_t(vk)] = note;
        keymap.KeyMapped[size_t(vk)] = true;
    }
    QString caption(int k) const { return WindowControls(dialog).button("cmdSet", k).text(); }
    // The state source's changes reach the dialog through the event loop.
    void press(int vk)
    {
        keys.press(vk);
        QCoreApplication::processEvents();
    }
    // Clicks note button k and presses vk; releases it afterwards (a key pressed and released
    // within one pass of the loop is never seen down).
    void assign(int k, int vk)
    {
        QTest::mouseClick(&WindowControls(dialog).button("cmdSet", k), Qt::LeftButton);
        press(vk);
        keys.release(vk);
    }
};

TEST(KeyConfigDialog, WindowLayoutKeepsItsRules)
{
    DialogRig rig;
    KeyConfigDialog& d = rig.dialog;
    EXPECT_EQ(d.windowTitle(), "Tamber Piano - Key Config");
    fakes::expectSoundLayout(d);
    EXPECT_EQ(WindowControls(d).button("cmdSave").text(), "Save Keymap");
    EXPECT_EQ(WindowControls(d).button("cmdLoad").text(), "Load Keymap");
    EXPECT_EQ(WindowControls(d).button("cmdOK").text(), "OK");
    EXPECT_EQ(WindowControls(d).label("lblInstruction").text(), kSelect);

    // Each button is centred on its key: 17 white and 12 black keys.
    namespace layout = keyconfig_layout;
    int black = 0;
    for (int k = 0; k < kKeymapNotes; ++k) {
        const QRect key = keyShape(k).translated(layout::picKeys().topLeft());
        EXPECT_EQ(WindowControls(d).button("cmdSet", k).geometry().center().x(), key.center().x())
            << k;
        EXPECT_EQ(WindowControls(d).button("cmdSet", k).focusPolicy(), Qt::NoFocus);
        black += isBlackKey(k) ? 1 : 0;
    }
    EXPECT_EQ(black, 12);
}

TEST(KeyConfigDialog, CaptionsFollowTheKeymapAtEveryOpening)
{
    DialogRig rig;
    rig.map('Z', 0);
    rig.map('1', 1);
    rig.map('A', 2);
    rig.map('S', 2); // highest code wins
    rig.map(32, 3);  // Space: blank
    rig.map(13, 4);  // Enter: blank
    rig.map(97, 5);  // keypad 1
    rig.map(38, 6);  // "&" shows as itself, not as a mnemonic
    later([&] { rig.dialog.close(); });
    rig.dialog.showModal();
    EXPECT_EQ(rig.caption(0), "Z");
    EXPECT_EQ(rig.caption(1), "1");
    EXPECT_EQ(rig.caption(2), "S");
    EXPECT_EQ(rig.caption(3), "");
    EXPECT_EQ(rig.caption(4), "");
    EXPECT_EQ(rig.caption(5), "a");
    EXPECT_EQ(rig.caption(6), "&&");
    EXPECT_EQ(rig.caption(7), "");

    // The keymap changed while the dialog was away: the next opening shows it.
    rig.keymap.clear();
    rig.map(96, 28);
    later([&] { rig.dialog.close(); });
    rig.dialog.showModal();
    EXPECT_EQ(rig.caption(0), "");
    EXPECT_EQ(rig.caption(28), "`");
}

TEST(KeyConfigDialog, AssigningAKeyMovesItAndReleasesTheNotesLowestOldKey)
{
    DialogRig rig;
    rig.map('A', 7);
    rig.map('B', 7);
    rig.map('C', 3);
    rig.dialog.show();

    QTest::mouseClick(&WindowControls(rig.dialog).button("cmdSet", 7), Qt::LeftButton);
    KeyConfigDialog& d = rig.dialog;
    EXPECT_TRUE(d.isWaiting());
    EXPECT_EQ(WindowControls(d).label("lblInstruction").text(), kPress);
    EXPECT_FALSE(WindowControls(d).button("cmdSet", 3).isEnabled());
    EXPECT_FALSE(WindowControls(d).button("cmdLoad").isEnabled());
    EXPECT_FALSE(WindowControls(d).button("cmdSave").isEnabled());
    EXPECT_TRUE(WindowControls(d).button("cmdOK").isEnabled());
    // Mouse buttons 1, 2, 4 are never caught; a key is.
    rig.press(1);
    rig.press(4);
    EXPECT_TRUE(d.isWaiting());
    rig.keys.setMany({{1, false}, {4, false}, {'Q', true}});
    QCoreApplication::processEvents();
    rig.keys.release('Q');
    EXPECT_FALSE(rig.dialog.isWaiting());
    EXPECT_EQ(WindowControls(rig.dialog).label("lblInstruction").text(), kSelect);
    EXPECT_TRUE(WindowControls(rig.dialog).button("cmdLoad").isEnabled());
    EXPECT_TRUE(rig.keymap.KeyMapped['Q']);
    EXPECT_EQ(rig.keymap.KeyNote['Q'], 7);
    EXPECT_FALSE(rig.keymap.KeyMapped['A']);
    EXPECT_TRUE(rig.keymap.KeyMapped['B']);
    EXPECT_EQ(rig.caption(7), "Q");

    // C moves from note 3 to note 10; note 3 goes blank.
    rig.assign(10, 'C');
    EXPECT_EQ(rig.keymap.KeyNote['C'], 10);
    EXPECT_EQ(rig.caption(3), "");
    EXPECT_EQ(rig.caption(10), "C");

    // A note's only key given to it again changes nothing.
    const Keymap before = rig.keymap;
    rig.assign(10, 'C');
    EXPECT_EQ(rig.keymap, before);

    // Extra mouse button 5 and Space can be caught; Space's button stays blank.
    rig.assign(12, 5);
    EXPECT_EQ(rig.keymap.KeyNote[5], 12);
    rig.assign(13, 32);
    EXPECT_TRUE(rig.keymap.KeyMapped[32]);
    EXPECT_EQ(rig.caption(13), "");
    rig.dialog.close();
}

TEST(KeyConfigDialog, ClosingDuringAWaitKeepsTheKeymapAndTheNextOpeningWaitsAgain)
{
    DialogRig rig;
    rig.map('K', 5);
    const Keymap before = rig.keymap;

    bool checkedDuringWait = false;
    later([&] {
        KeyConfigDialog& d = rig.dialog;
        QTest::mouseClick(&WindowControls(d).button("cmdSet", 5), Qt::LeftButton);
        ASSERT_TRUE(d.isWaiting());
        // Enter and Escape may be the key being assigned: they do not close.
        QTest::keyClick(&d, Qt::Key_Return);
        QTest::keyClick(&d, Qt::Key_Escape);
        // Nor does a Space reach the button that has the focus.
        QTest::keyClick(&WindowControls(d).button("cmdOK"), Qt::Key_Space);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.isWaiting());
        checkedDuringWait = true;
        d.close(); // the close box
    });
    rig.dialog.showModal();
    EXPECT_TRUE(checkedDuringWait);
    EXPECT_FALSE(rig.dialog.isWaiting());
    EXPECT_EQ(WindowControls(rig.dialog).label("lblInstruction").text(), kSelect);
    EXPECT_EQ(rig.keymap, before);
    EXPECT_FALSE(rig.keymap.KeyMapped[0]);

    // Reopened, the dialog waits for a key again.
    later([&] {
        EXPECT_FALSE(rig.dialog.isWaiting());
        rig.assign(5, 'J');
        WindowControls(rig.dialog).button("cmdOK").click();
    });
    rig.dialog.showModal();
    EXPECT_TRUE(rig.keymap.KeyMapped['J']);
    EXPECT_EQ(rig.keymap.KeyNote['J'], 5);
    EXPECT_FALSE(rig.keymap.KeyMapped['K']);
}

TEST(KeyConfigDialog, EnterAnswersOkWhenIdle)
{
    DialogRig rig;
    later([&] { QTest::keyClick(&rig.dialog, Qt::Key_Return); });
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, &rig.dialog, [&] { rig.dialog.done(2); });
    failsafe.start(5000);
    rig.dialog.showModal();
    EXPECT_EQ(rig.dialog.result(), QDialog::Accepted);
}

TEST(KeyConfigDialog, LoadAsksForAnExistingKeymapAndCancelChangesNothing)
{
    DialogRig rig;
    rig.map('Z', 0);
    const Keymap before = rig.keymap;
    rig.dialog.show();
    WindowControls(rig.dialog).button("cmdLoad").click();
    ASSERT_EQ(rig.fileDialogs.requests.size(), 1u);
    const FileDialogRequest& request = rig.fileDialogs.requests[0];
    EXPECT_EQ(request.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(request.title, "Load Keymap");
    EXPECT_EQ(request.filter, "Tamber Piano Keymap (*.tmk)");
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(rig.keymap, before);
    EXPECT_TRUE(rig.boxes.shown.empty());

    QTemporaryDir dir;
    const QString path = dir.filePath("one.tmk");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("TMKM\x00\x01\x03\x01\x41\x05\x00", 11));
    file.close();
    rig.fileDialogs.answers.push_back(path);
    WindowControls(rig.dialog).button("cmdLoad").click();
    EXPECT_FALSE(rig.keymap.KeyMapped['Z']);
    EXPECT_EQ(rig.keymap.KeyNote['A'], 5);
    EXPECT_EQ(rig.caption(0), "");
    EXPECT_EQ(rig.caption(5), "A");
    rig.dialog.close();
}

TEST(KeyConfigDialog, SaveWritesANewFileUnderTheNameAsTyped)
{
    DialogRig rig;
    rig.map('A', 5);
    QTemporaryDir dir;
    const QString path = dir.filePath("mykeys");
    rig.fileDialogs.answers.push_back(path);
    rig.dialog.show();
    WindowControls(rig.dialog).button("cmdSave").click();
    ASSERT_EQ(rig.fileDialogs.requests.size(), 1u);
    const FileDialogRequest& request = rig.fileDialogs.requests[0];
    EXPECT_EQ(request.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(request.title, "Save Keymap");
    EXPECT_EQ(request.filter, "Tamber Piano Keymap (*.tmk)");
    EXPECT_FALSE(request.mustExist);
    EXPECT_TRUE(request.confirmOverwrite);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("TMKM\x00\x01\x03\x01\x41\x05\x00", 11));
    EXPECT_FALSE(QFile::exists(path + ".tmk"));

    // Cancelling the save writes nothing.
    WindowControls(rig.dialog).button("cmdSave").click();
    EXPECT_EQ(rig.fileDialogs.requests.size(), 2u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"mykeys"});
    rig.dialog.close();
}

// The captions are the user's own key labels, before any key is pressed, and follow the
// layout when it changes; keys the layout prints nothing on keep their Windows-1252 names.
TEST(KeyConfigDialog, CaptionsShowTheLayoutsLabels)
{
    DialogRig rig;
    rig.map('Q', 12);
    rig.map('2', 13);
    rig.map(0x70, 14); // F1
    rig.keys.labels = {{'Q', "A"}, {'2', QString(QChar(0xE9))}};
    rig.dialog.ShowKeymap();
    EXPECT_EQ(rig.caption(12), "A");
    EXPECT_EQ(rig.caption(13), QString(QChar(0xE9)));
    EXPECT_EQ(rig.caption(14), "p");

    rig.keys.switchLayout({{'Q', "Q"}, {'2', "2"}, {0x70, "&"}});
    EXPECT_EQ(rig.caption(12), "Q");
    EXPECT_EQ(rig.caption(13), "2");
    EXPECT_EQ(rig.caption(14), "&&") << "an ampersand shows as itself, no mnemonic";
}

} // namespace
} // namespace tamber
