#include "PianoKeysView.h"

#include "client/engine/KeyShapes.h"

#include <QPaintEvent>
#include <QPainter>

namespace tamber {

namespace {
// Keys that change within a frame are drawn together.
constexpr int kFrameMs = 16;
} // namespace

PianoKeysView::PianoKeysView(int keyCount, QWidget* parent) : QWidget(parent), m_fill(keyCount)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_frame.setSingleShot(true);
    m_frame.setInterval(kFrameMs);
    connect(&m_frame, &QTimer::timeout, this, [this] {
        if (m_dirty.isEmpty())
            return;
        update(m_dirty);
        m_dirty = QRegion();
        m_frame.start();
    });
}

QSize PianoKeysView::sizeHint() const
{
    const QRect last = keyShape(keyCount() - 1);
    return {last.right() + 1, keyShape(0).height()};
}

void PianoKeysView::lightKey(int key, uint32_t colour)
{
    if (key < 0 || key >= keyCount())
        return;
    m_fill[key] = QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    repaintKey(key);
}

void PianoKeysView::unlightKey(int key)
{
    if (key < 0 || key >= keyCount() || !m_fill[key])
        return;
    m_fill[key].reset();
    repaintKey(key);
}

// A key shows at once; keys that change within the next frame are drawn together at its
// end. A chord or a fast playback changes dozens of keys in a few milliseconds, and drawing
// each alone would cost more than everything else the program does for those notes.
void PianoKeysView::repaintKey(int key)
{
    if (m_frame.isActive()) {
        m_dirty += keyShape(key);
        return;
    }
    update(keyShape(key));
    m_frame.start();
}

void PianoKeysView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    painter.setPen(Qt::black);
    auto drawKey = [&](int key, const QColor& unlit) {
        const QRect r = keyShape(key);
        if (!r.intersects(event->rect()))
            return;
        painter.setBrush(m_fill[key].value_or(unlit));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    };
    for (int k = 0; k < keyCount(); ++k) {
        if (!isBlackKey(k))
            drawKey(k, Qt::white);
    }
    for (int k = 0; k < keyCount(); ++k) {
        if (isBlackKey(k))
            drawKey(k, Qt::black);
    }
}

} // namespace tamber
