#include "UnderrunDetector.h"

#include <algorithm>

namespace tamber {

namespace {
// How fast the reference may follow a device clock slower than ours: 0.5 ms per second, far
// above any sound card's drift and far below the jump of a late callback.
constexpr int64_t kDriftPerSecondNs = 500'000;
} // namespace

bool UnderrunDetector::finished(int64_t nowNs, int frames, double sampleRate, bool audible)
{
    const bool heard = audible || m_wasAudible;
    m_wasAudible = audible;
    return late(nowNs, frames, sampleRate) && heard;
}

bool UnderrunDetector::late(int64_t nowNs, int frames, double sampleRate)
{
    if (sampleRate <= 0)
        return false;
    if (!m_started || sampleRate != m_rate) {
        m_started = true;
        m_rate = sampleRate;
        m_delivered = frames;
        m_reference = nowNs;
        m_last = nowNs;
        return false;
    }
    const double nsPerFrame = 1e9 / m_rate;
    const int64_t phase = nowNs - int64_t(double(m_delivered) * nsPerFrame);
    m_delivered += frames;
    const int64_t drift = std::max<int64_t>(0, nowNs - m_last) * kDriftPerSecondNs / 1'000'000'000;
    m_last = nowNs;
    m_reference = std::min(phase, m_reference + drift);
    if (phase - m_reference <= int64_t(frames * nsPerFrame))
        return false;
    m_reference = phase;
    return true;
}

} // namespace tamber
