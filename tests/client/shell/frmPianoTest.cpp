#include "client/shell/frmPiano.h"
#include "client/engine/Instruments.h"
#include "client/engine/KeyShapes.h"
#include "client/shell/frmAbout.h"
#include "common/ProgramInfo.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/support/LayoutInvariants.h"
#include "tests/support/WindowControls.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {
QStringList captions(const QList<QAction*>& actions)
{
    QStringList list;
    for (QAction* a : actions)
        list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

QColor pixelAt(QWidget& widget, QPoint p)
{
    return widget.grab().toImage().pixelColor(p);
}
} // namespace

TEST(frmPiano, LayoutKeepsItsRulesAndCaptions)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    const WindowControls controls(window);
    EXPECT_EQ(window.windowTitle(), "Tamber Piano");
    expectSoundLayout(window);
    EXPECT_EQ(controls.frame("fraInstrument").title(), "Instrument");
    EXPECT_EQ(controls.frame("fraOctave").title(), "Base Octave");
    EXPECT_EQ(controls.count<QPushButton>("cmdOctave"), 5);
    EXPECT_EQ(controls.count<QLabel>("lblNote"), 36);
    EXPECT_EQ(controls.button("cmdRecord").text(), "Record");
    EXPECT_FALSE(controls.button("cmdRecord").isEnabled());
    EXPECT_EQ(controls.button("cmdPlay").text(), "Play");
    EXPECT_FALSE(controls.button("cmdPlay").isEnabled());
    EXPECT_EQ(controls.label("lblFile").text(), "File: None");
    // Keys belong to the piano: no control may take the keyboard focus.
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (qobject_cast<QPushButton*>(w) || qobject_cast<QComboBox*>(w)) {
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->objectName().toStdString();
        }
    }
}

TEST(frmPiano, KeyboardHas61KeysWithBlackKeysOverWhite)
{
    PianoKeysView keys(kKeyCount);
    EXPECT_EQ(keyShape(0), QRect(0, 0, 17, 73));
    EXPECT_EQ(keyShape(1), QRect(12, 0, 9, 49));
    EXPECT_EQ(keyShape(60), QRect(560, 0, 17, 73)) << "the last white key ends at 577";
    int black = 0;
    for (int k = 0; k < kKeyCount; ++k)
        black += isBlackKey(k);
    EXPECT_EQ(black, 25);

    keys.resize(keys.sizeHint());
    EXPECT_EQ(pixelAt(keys, {5, 60}), QColor(Qt::white));
    EXPECT_EQ(pixelAt(keys, {16, 20}), QColor(Qt::black));
    keys.lightKey(0, PaintKey(3, 127));
    keys.lightKey(1, PaintKey(2, 127));
    EXPECT_EQ(pixelAt(keys, {5, 60}), QColor(255, 1, 1));
    EXPECT_EQ(pixelAt(keys, {16, 20}), QColor(1, 255, 1));
    keys.unlightKey(0);
    keys.unlightKey(1);
    EXPECT_EQ(pixelAt(keys, {5, 60}), QColor(Qt::white));
    EXPECT_EQ(pixelAt(keys, {16, 20}), QColor(Qt::black));
}

TEST(frmPiano, OctaveButtonsSetBaseOctaveAndMoveTheBold)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    const WindowControls controls(window);
    QSignalSpy chosen(&window, &frmPiano::octaveChosen);
    EXPECT_TRUE(controls.button("cmdOctave", 3).font().bold());
    QTest::mouseClick(&controls.button("cmdOctave", 1), Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);
    state.setBaseOctave(1); // the program's answer; the window follows the state
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(controls.button("cmdOctave", i).font().bold(), i == 1);
}

TEST(frmPiano, OnlyTheThirteenthLabelAnswersADoubleClick)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    const WindowControls controls(window);
    window.captionNoteLabels(noteLabelCaption);
    EXPECT_EQ(controls.label("lblNote", 0).text(), "C");
    EXPECT_EQ(controls.label("lblNote", 12).text(), "A");
    QTest::mouseDClick(&controls.label("lblNote", 11), Qt::LeftButton);
    EXPECT_TRUE(boxes.shown.empty());
    QTest::mouseDClick(&controls.label("lblNote", 12), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0],
              (ShownBox{"This is a note.", "Random Message", MessageBoxes::Icon::Information}));
}

TEST(frmPiano, InstrumentListSelectionIsReported)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    QComboBox& cmbInstruments = WindowControls(window).comboBox("cmbInstruments");
    QSignalSpy chosen(&window, &frmPiano::instrumentChosen);
    window.setInstruments(InitInstruments());
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(cmbInstruments.count(), 128);
    EXPECT_EQ(cmbInstruments.currentText(), "1. Acoustic Grand Piano");
    cmbInstruments.setCurrentIndex(40); // the user's choice
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 40);
    state.setInstrument(7);
    EXPECT_EQ(cmbInstruments.currentIndex(), 7);
    EXPECT_EQ(chosen.count(), 1) << "showing the state chooses nothing";
}

TEST(frmPiano, MenusCarryTheirCaptionsAndShortcuts)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    const WindowControls controls(window);
    window.setOutputItems({"(None)", "Synth A", "Synth B", "Synth C"});
    window.setInputItems({"(None)", "Keys"});
    QList<QMenu*> menus;
    for (QAction* a : window.menuBar()->actions())
        menus << a->menu();
    EXPECT_EQ(captions(window.menuBar()->actions()),
              QStringList({"&File", "&Options", "&Corvent", "&Help"}));
    EXPECT_EQ(captions(menus[0]->actions()),
              QStringList({"&New...", "&Open...", "&Export MIDI File...", "-", "E&xit"}));
    EXPECT_FALSE(controls.action("mnuExportMidi").isEnabled())
        << "until a recording file is chosen";
    EXPECT_EQ(captions(menus[1]->actions()),
              QStringList({"&Key Config...", "&Metronome...", "-", "&Output Device",
                           "&Input Device", "&Language"}));
    EXPECT_EQ(captions(controls.menu("mnuOutput").actions()),
              QStringList({"(PC Speaker)", "(None)", "Synth A", "Synth B", "Synth C"}));
    EXPECT_EQ(captions(controls.menu("mnuInput").actions()), QStringList({"(None)", "Keys"}));
    EXPECT_EQ(controls.action("mnuNew").shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(controls.action("mnuOpen").shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(controls.action("mnuKeyConfig").shortcut(), QKeySequence("Ctrl+K"));
    EXPECT_EQ(controls.action("mnuMetronome").shortcut(), QKeySequence("Ctrl+M"));
    EXPECT_EQ(controls.action("mnuJoinSession").shortcut(), QKeySequence("Ctrl+J"));
    EXPECT_EQ(controls.action("mnuHelpContents").shortcut(), QKeySequence("F1"));
    EXPECT_EQ(captions(menus[3]->actions()), QStringList({"&Help", "&About..."}));
}

TEST(frmPiano, DeviceItemsReportClicksAndLeaveCheckMarksToTheProgram)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    window.setOutputItems({"(None)", "Synth A"});
    QSignalSpy clicked(&window, &frmPiano::outputItemClicked);
    window.setOutputChecked(1, true);
    WindowControls(window).action("mnuOutDevice", 0).trigger();
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 0);
    EXPECT_EQ(window.checkedOutputItem(), 1) << "the click handler moves the check mark";
}

TEST(frmAbout, ShowsTheVersionTheProgramCarries)
{
    frmAbout about(nullptr);
    EXPECT_EQ(about.windowTitle(), "About Tamber Piano");
    EXPECT_EQ(WindowControls(about).label("lblTitle").text(),
              QStringLiteral("Tamber Piano v") + QLatin1String(kVersionText));
}

// Regression: with the desktop's fallback for MS Sans Serif the instrument list read
// "1. Acoustic Grand Pia". Run at scale factors 1 and 2.
TEST(frmPiano, TextFitsItsControls)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano window(boxes, state);
    window.setInstruments(InitInstruments());
    window.show();
    QComboBox& list = WindowControls(window).comboBox("cmbInstruments");
    QStyleOptionComboBox option;
    option.initFrom(&list);
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &list);
    ASSERT_EQ(list.currentText(), "1. Acoustic Grand Piano");
    EXPECT_LE(list.fontMetrics().horizontalAdvance(list.currentText()), field.width() - 2)
        << "at scale " << window.devicePixelRatioF();
    EXPECT_GE(list.fontMetrics().height(), 10) << "still readable";
    EXPECT_LE(list.fontMetrics().height(), field.height());
}
