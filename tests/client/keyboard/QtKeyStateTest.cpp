// The real key-state source, fed with synthetic events sent to a widget.
#include "client/keyboard/QtKeyState.h"

#include "client/keyboard/KeyboardPoller.h"
#include "tests/fakes/FakeSound.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace tamber {
namespace {

constexpr quint32 kScan1 = 10, kScanZ = 52, kScanShiftL = 50, kScanShiftR = 62;
constexpr quint32 kXkShiftL = 0xffe1, kXkShiftR = 0xffe2;

struct KeyRig
{
    QWidget widget;
    QtKeyState state;

    void send(QEvent::Type type, int key, quint32 scan, Qt::KeyboardModifiers mods = {},
              quint32 keysym = 0, bool autoRepeat = false, quint64 timestamp = 0)
    {
        QKeyEvent event(type, key, mods, scan, keysym, 0, QString(), autoRepeat);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(&widget, &event);
    }
    void press(int key, quint32 scan, Qt::KeyboardModifiers mods = {}, quint32 keysym = 0)
    {
        send(QEvent::KeyPress, key, scan, mods, keysym);
    }
    void release(int key, quint32 scan, Qt::KeyboardModifiers mods = {}, quint32 keysym = 0)
    {
        send(QEvent::KeyRelease, key, scan, mods, keysym);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent event(type, QPointF(1, 1), QPointF(1, 1), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, {});
        QApplication::sendEvent(&widget, &event);
    }
    int downCount() const
    {
        int n = 0;
        for (int vk = 0; vk < 256; ++vk)
            n += state.isDown(vk) ? 1 : 0;
        return n;
    }
};

TEST(QtKeyState, ReleasePairsWithThePressByPhysicalKeyInEitherModifierOrder)
{
    KeyRig rig;
    // 1, then Shift, then release 1 (now "!"), then Shift.
    rig.press(Qt::Key_1, kScan1);
    EXPECT_TRUE(rig.state.isDown('1'));
    rig.press(Qt::Key_Shift, kScanShiftL, Qt::ShiftModifier, kXkShiftL);
    EXPECT_TRUE(rig.state.isDown(16));
    EXPECT_TRUE(rig.state.isDown(160));
    rig.release(Qt::Key_Exclam, kScan1, Qt::ShiftModifier);
    EXPECT_FALSE(rig.state.isDown('1'));
    rig.release(Qt::Key_Shift, kScanShiftL, {}, kXkShiftL);
    EXPECT_EQ(rig.downCount(), 0);

    // Shift first: "!" decides code '1' at the press, released plain.
    rig.press(Qt::Key_Shift, kScanShiftL, Qt::ShiftModifier, kXkShiftL);
    rig.press(Qt::Key_Exclam, kScan1, Qt::ShiftModifier);
    EXPECT_TRUE(rig.state.isDown('1'));
    rig.release(Qt::Key_Shift, kScanShiftL, {}, kXkShiftL);
    rig.release(Qt::Key_1, kScan1);
    EXPECT_EQ(rig.downCount(), 0);
}

TEST(QtKeyState, BothShiftKeysHoldTheGenericCodeUntilTheLastIsReleased)
{
    KeyRig rig;
    rig.press(Qt::Key_Shift, kScanShiftL, Qt::ShiftModifier, kXkShiftL);
    rig.press(Qt::Key_Shift, kScanShiftR, Qt::ShiftModifier, kXkShiftR);
    rig.release(Qt::Key_Shift, kScanShiftL, Qt::ShiftModifier, kXkShiftL);
    EXPECT_TRUE(rig.state.isDown(16));
    EXPECT_FALSE(rig.state.isDown(160));
    EXPECT_TRUE(rig.state.isDown(161));
    rig.release(Qt::Key_Shift, kScanShiftR, {}, kXkShiftR);
    EXPECT_EQ(rig.downCount(), 0);
}

TEST(QtKeyState, AutoRepeatAndRepeatedDeliveriesChangeNothing)
{
    KeyRig rig;
    QSignalSpy changes(&rig.state, &KeyStateSource::changed);
    // A shortcut's key is first seen as ShortcutOverride, then maybe as a press.
    rig.send(QEvent::ShortcutOverride, Qt::Key_Z, kScanZ, Qt::ControlModifier);
    rig.press(Qt::Key_Z, kScanZ, Qt::ControlModifier);
    EXPECT_TRUE(rig.state.isDown('Z'));
    for (int i = 0; i < 3; ++i) {
        rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, true);
        rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, true);
        EXPECT_TRUE(rig.state.isDown('Z'));
    }
    rig.release(Qt::Key_Z, kScanZ);
    rig.release(Qt::Key_Z, kScanZ);
    EXPECT_FALSE(rig.state.isDown('Z'));
    EXPECT_EQ(changes.count(), 2); // one down, one up
}

// X's repeat as it often reaches Qt: an unmarked release and press, the press arriving a
// fraction of a millisecond later.
TEST(QtKeyState, UnmarkedRepeatFromXKeepsTheKeyDown)
{
    KeyRig rig;
    QSignalSpy changes(&rig.state, &KeyStateSource::changed);
    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 1000);
    for (quint64 ts = 1500; ts < 1700; ts += 40) {
        rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, false, ts);
        EXPECT_TRUE(rig.state.isDown('Z'));
        rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, ts);
        EXPECT_TRUE(rig.state.isDown('Z'));
    }
    QApplication::processEvents();
    EXPECT_TRUE(rig.state.isDown('Z'));
    EXPECT_EQ(changes.count(), 1);

    // The real release takes effect once no press follows; other keys are not held up by it.
    rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, false, 2000);
    rig.press(Qt::Key_X, 53);
    EXPECT_TRUE(rig.state.isDown('X'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.state.isDown('Z'); }, 5000));
    EXPECT_EQ(changes.count(), 3);
    EXPECT_TRUE(rig.state.isDown('X'));

    // Focus lost with a release still pending: everything is up and stays up.
    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 3000);
    rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, false, 3100);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    EXPECT_EQ(rig.downCount(), 0);
    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 3200);
    EXPECT_TRUE(rig.state.isDown('Z'));
}

TEST(QtKeyState, MouseButtonsAndKeysWithoutScanCodes)
{
    KeyRig rig;
    rig.mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    rig.mouse(QEvent::MouseButtonPress, Qt::BackButton);
    EXPECT_TRUE(rig.state.isDown(1));
    EXPECT_TRUE(rig.state.isDown(5));
    rig.mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_FALSE(rig.state.isDown(1));
    EXPECT_TRUE(rig.state.isDown(5));
    rig.mouse(QEvent::MouseButtonRelease, Qt::BackButton);

    // Without a scan code the Qt key pairs them.
    rig.press(Qt::Key_F5, 0);
    EXPECT_TRUE(rig.state.isDown(0x74));
    rig.release(Qt::Key_F5, 0);
    EXPECT_EQ(rig.downCount(), 0);
    EXPECT_FALSE(rig.state.isDown(-1));
    EXPECT_FALSE(rig.state.isDown(256));
}

TEST(QtKeyState, LosingTheFocusMarksEveryKeyUp)
{
    KeyRig rig;
    rig.press(Qt::Key_Z, kScanZ);
    rig.mouse(QEvent::MouseButtonPress, Qt::RightButton);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    EXPECT_EQ(rig.downCount(), 0);

    rig.press(Qt::Key_Z, kScanZ); // the key is new again once pressed anew
    EXPECT_TRUE(rig.state.isDown('Z'));
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(rig.downCount(), 0);
    rig.release(Qt::Key_Z, kScanZ); // the late release finds nothing to release
    EXPECT_EQ(rig.downCount(), 0);
}

// A shortcut that opens a modal dialog (Ctrl+K) leaves the keys' releases queued for the window
// the dialog now blocks, and Qt drops input to blocked windows before any filter sees it.
TEST(QtKeyState, AWindowBlockedByAModalDialogHoldsNoKey)
{
    QWidget owner;
    owner.show();
    QtKeyState state;
    QWindow* window = owner.windowHandle();
    ASSERT_NE(window, nullptr);
    QTest::keyPress(window, Qt::Key_Control);
    QTest::keyPress(window, Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(state.isDown(0x11));
    EXPECT_TRUE(state.isDown('K'));

    QDialog dialog(&owner);
    dialog.setModal(true);
    dialog.show();
    QTest::keyRelease(window, Qt::Key_K, Qt::ControlModifier);
    QTest::keyRelease(window, Qt::Key_Control, Qt::ControlModifier);
    QCoreApplication::processEvents();
    for (int vk = 0; vk < 256; ++vk)
        EXPECT_FALSE(state.isDown(vk)) << "code " << vk;
}

TEST(QtKeyState, PollerPlaysOneNotePerHeldKeyAndStopsItOnDeactivation)
{
    KeyRig rig;
    fakes::EngineRig sound;
    Keymap keymap;
    keymap.KeyMapped['Z'] = true;
    KeyboardPoller poller{{keymap, rig.state, [] { return true; }, sound.engine,
                           [] { return uint8_t(3); }, [] { return uint8_t(0); }}};

    rig.press(Qt::Key_Z, kScanZ);
    poller.PollKeyboard();
    for (int i = 0; i < 5; ++i) {
        rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, true);
        poller.PollKeyboard();
        rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, true);
        poller.PollKeyboard();
    }
    EXPECT_EQ(sound.output.sent, (std::vector{makeShortMessage(0x90, 72, 127)}));

    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    poller.PollKeyboard();
    EXPECT_EQ(sound.output.sent.back(), makeShortMessage(0x80, 72, 0));
    EXPECT_FALSE(sound.engine.isSounding(0, 72));
}

// Only releases wait for X's repeat: X stamps the release and press of its repeat with one
// time, so a press stamped later is the player's own and plays again, however quick, while the
// repeat still plays nothing. With the real tick, as the piano runs it.
TEST(QtKeyState, ANewPressDuringTheReleaseGraceIsPlayedAtOnce)
{
    KeyRig rig;
    fakes::EngineRig sound;
    Keymap keymap;
    keymap.KeyMapped['Z'] = true;
    KeyboardPoller poller{{keymap, rig.state, [] { return true; }, sound.engine,
                           [] { return uint8_t(3); }, [] { return uint8_t(0); }}};
    PollTimer tick(poller, rig.state);
    tick.start();
    const auto settle = [] {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    };
    const ShortMessage on = makeShortMessage(0x90, 72, 127), off = makeShortMessage(0x80, 72, 0);

    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 1000);
    settle();
    rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, false, 1200);
    settle();
    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 1208);
    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 1208); // delivered twice
    settle();
    EXPECT_EQ(sound.output.sent, (std::vector{on, off, on}));
    EXPECT_TRUE(rig.state.isDown('Z'));

    rig.send(QEvent::KeyRelease, Qt::Key_Z, kScanZ, {}, 0, false, 1700);
    settle();
    rig.send(QEvent::KeyPress, Qt::Key_Z, kScanZ, {}, 0, false, 1700);
    QTest::qWait(3 * QtKeyState::kRepeatGraceMs);
    EXPECT_EQ(sound.output.sent.size(), 3u);
    EXPECT_TRUE(rig.state.isDown('Z'));
}

} // namespace
} // namespace tamber
