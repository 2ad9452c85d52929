#include "PianoKeysView.h"

#include <QPaintEvent>
#include <QPainter>

namespace tamber {

namespace {
constexpr int kWhiteStep = 16; // 240 twips
constexpr int kWhiteWidth = 17;
constexpr int kWhiteHeight = 73;
constexpr int kBlackOffset = 12; // 180 twips from the white key to its left
constexpr int kBlackWidth = 9;
constexpr int kBlackHeight = 49;
constexpr int kFrameMs = 16;

int whiteIndex(int key)
{
    static constexpr int whitesBefore[12] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
    return 7 * (key / 12) + whitesBefore[key % 12];
}
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

bool PianoKeysView::isBlack(int key)
{
    switch (key % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

QRect PianoKeysView::keyRect(int key)
{
    if (isBlack(key)) {
        const int left = (whiteIndex(key - 1)) * kWhiteStep + kBlackOffset;
        return {left, 0, kBlackWidth, kBlackHeight};
    }
    return {whiteIndex(key) * kWhiteStep, 0, kWhiteWidth, kWhiteHeight};
}

QSize PianoKeysView::sizeHint() const
{
    const QRect last = keyRect(keyCount() - 1);
    return {last.right() + 1, kWhiteHeight};
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
        m_dirty += keyRect(key);
        return;
    }
    update(keyRect(key));
    m_frame.start();
}

void PianoKeysView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    painter.setPen(Qt::black);
    auto drawKey = [&](int key, const QColor& unlit) {
        const QRect r = keyRect(key);
        if (!r.intersects(event->rect()))
            return;
        painter.setBrush(m_fill[key].value_or(unlit));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    };
    for (int k = 0; k < keyCount(); ++k) {
        if (!isBlack(k))
            drawKey(k, Qt::white);
    }
    for (int k = 0; k < keyCount(); ++k) {
        if (isBlack(k))
            drawKey(k, Qt::black);
    }
}

} // namespace tamber
