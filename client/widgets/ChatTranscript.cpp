#include "ChatTranscript.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

namespace tamber {

namespace {
constexpr qreal kMargin = 3; // between the text and the frame, on the left and right
} // namespace

ChatTranscript::ChatTranscript(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    m_refreshTimer.setSingleShot(true);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ChatTranscript::refresh);
    m_sinceRefresh.start();
}

ChatTranscript::~ChatTranscript() = default;

void ChatTranscript::appendLines(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    const qsizetype keep = std::min<qsizetype>(lines.size(), kMaxLines);
    const qsizetype overflow = m_lines.size() + keep - kMaxLines;
    if (overflow > 0) {
        m_lines.remove(0, overflow);
        m_dropped += overflow;
    }
    m_dropped += lines.size() - keep; // too many in one batch: the oldest never show
    m_lines.append(lines.mid(lines.size() - keep));
    scheduleRefresh();
}

// However fast lines come, the view is laid out and painted at most once per kRefreshMs;
// a line after a quiet spell shows at the next turn of the event loop.
void ChatTranscript::scheduleRefresh()
{
    if (m_refreshTimer.isActive())
        return;
    m_refreshTimer.start(int(std::max<qint64>(0, kRefreshMs - m_sinceRefresh.elapsed())));
}

// Scroll bar in lines: its value is the line at the top, its maximum the top line that
// shows the newest line in full.
void ChatTranscript::refresh()
{
    m_refreshTimer.stop();
    m_sinceRefresh.restart();
    const qreal height = viewport()->height();
    int fitting = 0;
    qreal used = 0;
    for (int line = lineCount() - 1; line >= 0; --line) {
        used += layOut(line)->boundingRect().height();
        if (used > height && fitting > 0)
            break;
        ++fitting;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, lineCount() - fitting));
    bar->setPageStep(std::max(1, fitting));
    bar->setValue(bar->maximum());
    viewport()->update();
}

bool ChatTranscript::showsNewest() const
{
    return !m_refreshTimer.isActive() &&
           verticalScrollBar()->value() == verticalScrollBar()->maximum();
}

qreal ChatTranscript::hangingIndent() const
{
    return 2 * fontMetrics().averageCharWidth();
}

qreal ChatTranscript::textWidth() const
{
    // A view too narrow for the indent still lays out: one character per row at worst.
    return std::max<qreal>(viewport()->width() - 2 * kMargin, hangingIndent() + 1);
}

std::unique_ptr<QTextLayout> ChatTranscript::layOut(int line) const
{
    auto layout = std::make_unique<QTextLayout>(m_lines.at(line), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    const qreal width = textWidth();
    const qreal indent = hangingIndent();
    qreal y = 0;
    layout->beginLayout();
    for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
        const qreal x = row.lineNumber() > 0 ? indent : 0;
        row.setLineWidth(width - x);
        row.setPosition(QPointF(x, y));
        y += row.height();
    }
    layout->endLayout();
    return layout;
}

int ChatTranscript::topLine() const
{
    return std::clamp(verticalScrollBar()->value(), 0, std::max(0, lineCount() - 1));
}

std::vector<ChatTranscript::Placed> ChatTranscript::placeVisible() const
{
    std::vector<Placed> placed;
    const qreal height = viewport()->height();
    qreal top = 0;
    for (int line = topLine(); line < lineCount() && top < height; ++line) {
        auto layout = layOut(line);
        const qreal next = top + layout->boundingRect().height();
        placed.push_back({line, top, std::move(layout)});
        top = next;
    }
    return placed;
}

std::vector<ChatTranscript::Row> ChatTranscript::visibleRows() const
{
    std::vector<Row> rows;
    for (const Placed& placed : placeVisible()) {
        const QString& text = m_lines.at(placed.line);
        for (int i = 0; i < placed.layout->lineCount(); ++i) {
            const QTextLine row = placed.layout->lineAt(i);
            rows.push_back({placed.line, QPointF(kMargin + row.x(), placed.top + row.y()),
                            text.mid(row.textStart(), row.textLength())});
        }
    }
    return rows;
}

std::pair<ChatTranscript::Position, ChatTranscript::Position> ChatTranscript::selection() const
{
    Position start = std::min(m_anchor, m_cursor);
    const Position end = std::max(m_anchor, m_cursor);
    if (end.serial < m_dropped)
        return {};
    if (start.serial < m_dropped)
        start = {m_dropped, 0};
    return {start, end};
}

QString ChatTranscript::selectedText() const
{
    const auto [start, end] = selection();
    QStringList parts;
    for (qint64 serial = start.serial; start != end && serial <= end.serial; ++serial) {
        const QString& text = m_lines.at(int(serial - m_dropped));
        const int from = serial == start.serial ? start.offset : 0;
        const int to = serial == end.serial ? end.offset : int(text.size());
        parts.append(text.mid(from, to - from));
    }
    return parts.join(QLatin1Char('\n'));
}

void ChatTranscript::selectAll()
{
    if (m_lines.isEmpty())
        return;
    m_anchor = {m_dropped, 0};
    m_cursor = {m_dropped + lineCount() - 1, int(m_lines.last().size())};
    viewport()->update();
}

void ChatTranscript::copy() const
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

std::optional<ChatTranscript::Position> ChatTranscript::positionAt(const QPoint& point) const
{
    const std::vector<Placed> placed = placeVisible();
    if (placed.empty())
        return std::nullopt;
    for (const Placed& p : placed) {
        const qint64 serial = m_dropped + p.line;
        if (point.y() < p.top)
            return Position{serial, 0};
        for (int i = 0; i < p.layout->lineCount(); ++i) {
            const QTextLine row = p.layout->lineAt(i);
            if (point.y() < p.top + row.y() + row.height())
                return Position{serial, row.xToCursor(point.x() - kMargin)};
        }
    }
    const Placed& last = placed.back();
    return Position{m_dropped + last.line, int(m_lines.at(last.line).size())};
}

void ChatTranscript::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const auto [start, end] = selection();
    QTextCharFormat selected;
    selected.setBackground(palette().highlight());
    selected.setForeground(palette().highlightedText());
    for (const Placed& p : placeVisible()) {
        const qint64 serial = m_dropped + p.line;
        QList<QTextLayout::FormatRange> ranges;
        if (start != end && serial >= start.serial && serial <= end.serial) {
            const int from = serial == start.serial ? start.offset : 0;
            const int to = serial == end.serial ? end.offset : int(m_lines.at(p.line).size());
            ranges.append({from, to - from, selected});
        }
        p.layout->draw(&painter, QPointF(kMargin, p.top), ranges);
        // A bar in the indent of each continuation row, so that a line of its own which
        // starts with blanks cannot pass for the continuation of the line above either.
        painter.save();
        painter.setPen(palette().color(QPalette::Mid));
        const qreal x = kMargin + hangingIndent() / 2;
        for (int i = 1; i < p.layout->lineCount(); ++i) {
            const QTextLine row = p.layout->lineAt(i);
            const qreal y = p.top + row.y();
            painter.drawLine(QLineF(x, y + 2, x, y + row.height() - 2));
        }
        painter.restore();
    }
}

void ChatTranscript::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    refresh();
}

void ChatTranscript::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refresh();
}

void ChatTranscript::scrollContentsBy(int, int)
{
    viewport()->update();
}

bool ChatTranscript::event(QEvent* event)
{
    // Ctrl+C and Ctrl+A are the transcript's while it has the focus, not a window's shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void ChatTranscript::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::SelectAll))
        selectAll();
    else if (event->matches(QKeySequence::MoveToStartOfDocument))
        bar->setValue(bar->minimum());
    else if (event->matches(QKeySequence::MoveToEndOfDocument))
        bar->setValue(bar->maximum());
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void ChatTranscript::mousePressEvent(QMouseEvent* event)
{
    const auto at = positionAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !at)
        return;
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_anchor = *at;
    m_cursor = *at;
    viewport()->update();
}

void ChatTranscript::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (const auto at = positionAt(event->position().toPoint())) {
        m_cursor = *at;
        viewport()->update();
    }
}

void ChatTranscript::mouseReleaseEvent(QMouseEvent* event)
{
    // X11's primary selection: what is selected pastes with the middle button.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::LeftButton && clipboard->supportsSelection()) {
        if (const QString text = selectedText(); !text.isEmpty())
            clipboard->setText(text, QClipboard::Selection);
    }
}

void ChatTranscript::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &ChatTranscript::copy);
    copyAction->setEnabled(!selectedText().isEmpty());
    menu.addAction(tr("Select &All"), this, &ChatTranscript::selectAll);
    menu.exec(event->globalPos());
}

} // namespace tamber
