#pragma once

#include "client/engine/NoteEngine.h"

#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

namespace tamber {

// A row of piano keys starting at a C, in the shapes of keyShape(). It only shows what it is
// told; clicking it plays nothing.
class PianoKeysView : public QWidget, public KeyLights
{
    Q_OBJECT
public:
    explicit PianoKeysView(int keyCount, QWidget* parent = nullptr);

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
