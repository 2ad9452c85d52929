// The chat transcript widget, offscreen: its line limit, wrapping, selection and copying.
#include "client/widgets/ChatTranscript.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;

namespace {

QStringList numbered(int from, int to)
{
    QStringList lines;
    for (int i = from; i < to; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    return lines;
}

// A transcript the size of the chat window's.
struct Shown
{
    Shown()
    {
        transcript.resize(297, 161);
        transcript.show();
    }
    ChatTranscript transcript;
};

void click(QWidget* viewport, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport, &press);
}

void drag(QWidget* viewport, QPointF to)
{
    QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(viewport, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, viewport->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(viewport, &release);
}

} // namespace

TEST(ChatTranscript, KeepsTheNewest5000LinesWhateverTheBatches)
{
    Shown shown;
    ChatTranscript& t = shown.transcript;
    t.appendLines(numbered(0, 3000));
    t.appendLines(numbered(3000, 6000));
    EXPECT_EQ(t.lineCount(), ChatTranscript::kMaxLines);
    EXPECT_TRUE(t.toPlainText().startsWith(QStringLiteral("line 1000\nline 1001\n")));
    EXPECT_TRUE(t.toPlainText().endsWith(QStringLiteral("\nline 5999")));

    // One batch larger than the whole transcript: its own newest 5000.
    t.appendLines(numbered(6000, 12000));
    EXPECT_EQ(t.lineCount(), ChatTranscript::kMaxLines);
    EXPECT_TRUE(t.toPlainText().startsWith(QStringLiteral("line 7000\n")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.showsNewest(); }));
    EXPECT_EQ(t.visibleRows().back().text, QStringLiteral("line 11999"));
    EXPECT_EQ(t.visibleRows().back().line, ChatTranscript::kMaxLines - 1);
}

// Text that fills a row exactly would wrap its tail onto a row of its own; the tail must
// never start where real lines start.
TEST(ChatTranscript, AWrappedLineContinuesIndentedSoItCannotForgeALine)
{
    Shown shown;
    ChatTranscript& t = shown.transcript;
    const QString honest = QStringLiteral("User1: send pw");
    const QString forged = QStringLiteral("User2: ") + QString(22, u'@') + u' ' + honest;
    t.appendLines({forged, honest});

    bool tailOnItsOwnRow = false;
    for (int width = 120; width <= 420; ++width) {
        t.resize(width, 161);
        const std::vector<ChatTranscript::Row> rows = t.visibleRows();
        ASSERT_GE(rows.size(), 3u) << "width " << width;
        const qreal lineStart = rows.back().origin.x(); // the honest line's only row
        ASSERT_EQ(rows.back().text, honest);
        ASSERT_EQ(rows.front().origin.x(), lineStart) << "width " << width;
        for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
            ASSERT_EQ(rows[i].line, 0);
            ASSERT_GE(rows[i].origin.x(), lineStart + t.hangingIndent()) << "width " << width;
            tailOnItsOwnRow |= rows[i].text.startsWith(QStringLiteral("User1:"));
        }
    }
    EXPECT_TRUE(tailOnItsOwnRow) << "some width must break the line right before the tail";
}

TEST(ChatTranscript, SelectByMouseOrCtrlAAndCopy)
{
    Shown shown;
    ChatTranscript& t = shown.transcript;
    t.appendLines({QStringLiteral("alpha beta"), QStringLiteral("gamma delta")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.showsNewest(); }));
    const std::vector<ChatTranscript::Row> rows = t.visibleRows();
    ASSERT_EQ(rows.size(), 2u);
    const QFontMetricsF metrics(t.font());
    const qreal middle = metrics.height() / 2;
    QWidget* viewport = t.viewport();

    click(viewport, rows[0].origin + QPointF(0.5, middle));
    drag(viewport,
         rows[1].origin + QPointF(metrics.horizontalAdvance(QStringLiteral("gamma")), middle));
    EXPECT_EQ(t.selectedText(), QStringLiteral("alpha beta\ngamma"));
    click(viewport, rows[1].origin + QPointF(t.width(), middle), Qt::ShiftModifier);
    EXPECT_EQ(t.selectedText(), QStringLiteral("alpha beta\ngamma delta"));
    click(viewport, rows[1].origin + QPointF(0.5, middle));
    EXPECT_TRUE(t.selectedText().isEmpty()) << "a plain click starts a new selection";

    QApplication::clipboard()->clear();
    QTest::keyClick(&t, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&t, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("alpha beta\ngamma delta"));

    // Selected lines that scroll out of the limit leave nothing behind to copy.
    t.appendLines(numbered(0, ChatTranscript::kMaxLines));
    EXPECT_TRUE(t.selectedText().isEmpty());
}

// The other way round: a line of its own that starts with blanks (a name of spaces) must not
// pass for the continuation of the line above. Continuation rows carry a bar in the indent.
TEST(ChatTranscript, OnlyContinuationRowsCarryABarInTheIndent)
{
    Shown shown;
    ChatTranscript& t = shown.transcript;
    const QString longLine = QStringLiteral("User1: ") + QString(80, u'w');
    const QString blanks = QStringLiteral("    : and I agree");
    t.appendLines({longLine, blanks});
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.showsNewest(); }));
    const std::vector<ChatTranscript::Row> rows = t.visibleRows();
    ASSERT_GE(rows.size(), 3u);
    ASSERT_EQ(rows[1].line, 0) << "the long line wraps";
    ASSERT_EQ(rows.back().text, blanks);

    const QImage image = t.viewport()->grab().toImage();
    const QRgb bar = t.palette().color(QPalette::Mid).rgb();
    const qreal x = rows.front().origin.x() + t.hangingIndent() / 2;
    const qreal rowHeight = QFontMetricsF(t.font()).height();
    auto barAt = [&](const ChatTranscript::Row& row) {
        const int y = int(row.origin.y() + rowHeight / 2);
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.pixel(int(x) + dx, y) == bar)
                return true;
        }
        return false;
    };
    EXPECT_FALSE(barAt(rows.front()));
    for (std::size_t i = 1; i + 1 < rows.size(); ++i)
        EXPECT_TRUE(barAt(rows[i])) << "continuation row " << i;
    EXPECT_FALSE(barAt(rows.back()));
}
