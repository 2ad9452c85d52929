#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QTextLayout;

namespace tamber {

// The chat transcript: read-only, one entry per chat line, the newest kMaxLines kept.
//
// Built to stay cheap under a flood: appending is a list append whatever the rate; only the
// lines in sight are laid out and painted, at most once every kRefreshMs. A line too wide
// wraps, and its continuation rows are indented and marked with a bar, so no text can pass
// for a line of its own: only a line's first row starts at the left edge. Lines hold no line
// breaks.
//
// Text is selected with the mouse (Shift extends) or Ctrl+A and copied with Ctrl+C or the
// context menu, lines joined by "\n".
class ChatTranscript : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int kMaxLines = 5000;
    static constexpr int kRefreshMs = 30;

    // One row of text as it is shown, in viewport coordinates.
    struct Row
    {
        int line = 0; // index of its chat line, 0 being the oldest kept
        QPointF origin;
        QString text;
    };

    explicit ChatTranscript(QWidget* parent = nullptr);
    ~ChatTranscript() override;

    // Oldest first; older lines beyond kMaxLines are dropped. The newest comes into view.
    void appendLines(const QStringList& lines);

    int lineCount() const { return int(m_lines.size()); }
    QString toPlainText() const { return m_lines.join(QLatin1Char('\n')); }
    QString selectedText() const;
    void selectAll();
    void copy() const;

    // How far right of a line's first row its continuation rows begin.
    qreal hangingIndent() const;
    // The rows in sight now, top to bottom.
    std::vector<Row> visibleRows() const;
    // True once the newest line is in view in full (or as far as a line taller than the
    // view can be). New lines come into view within kRefreshMs.
    bool showsNewest() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A place in the text that survives lines dropped at the front: the line's serial
    // number (lines appended before it, dropped ones included) and a character offset.
    struct Position
    {
        qint64 serial = 0;
        int offset = 0;
        auto operator<=>(const Position&) const = default;
    };
    struct Placed
    {
        int line = 0;
        qreal top = 0;
        std::unique_ptr<QTextLayout> layout;
    };

    std::unique_ptr<QTextLayout> layOut(int line) const;
    qreal textWidth() const;
    int topLine() const;
    std::vector<Placed> placeVisible() const;
    std::optional<Position> positionAt(const QPoint& point) const;
    std::pair<Position, Position> selection() const; // start <= end; empty when equal
    void scheduleRefresh();
    void refresh();

    QStringList m_lines;
    qint64 m_dropped = 0; // serial number of m_lines[0]
    Position m_anchor;
    Position m_cursor;
    QTimer m_refreshTimer;
    QElapsedTimer m_sinceRefresh;
};

} // namespace tamber
