#pragma once

#include "client/engine/NoteEngine.h"

#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

namespace tamber {

// A row of piano keys starting at a C, drawn as the program's keyboards are: white keys
// 17 x 73 px overlapping by one pixel, black keys 9 x 49 px drawn over them. It only shows
// what it is told; clicking it plays nothing.
class PianoKeysView : public QWidget, public KeyLights
{
    Q_OBJECT
public:
    explicit PianoKeysView(int keyCount, QWidget* parent = nullptr);

    static bool isBlack(int key);
    // The key's rectangle in the view.
    static QRect keyRect(int key);
    int keyCount() const { return int(m_fill.size()); }
    std::optional<QColor> fillOf(int key) const { return m_fill.at(key); }

    void lightKey(int key, uint32_t colour) override;
    void unlightKey(int key) override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void repaintKey(int key);

    std::vector<std::optional<QColor>> m_fill;
    // Keys changed since the last repaint, drawn together at most once a frame.
    QRegion m_dirty;
    QTimer m_frame;
};

} // namespace tamber
