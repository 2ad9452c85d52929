#include "PeriodPolicy.h"

#include <algorithm>

namespace tamber {

PeriodPolicy::PeriodPolicy(int frames, bool canGrow, PeriodLimits limits)
    : m_frames(frames), m_canGrow(canGrow), m_limits(limits)
{
    m_limits.underruns = std::clamp(m_limits.underruns, 1, int(m_recent.size()));
}

PeriodPolicy::Verdict PeriodPolicy::underrun(int64_t nowMs)
{
    if (m_count > 0) {
        const int newest = (m_next + int(m_recent.size()) - 1) % int(m_recent.size());
        if (nowMs - m_recent[size_t(newest)] < m_limits.apartMs)
            return Verdict::Keep;
    }
    m_recent[size_t(m_next)] = nowMs;
    m_next = (m_next + 1) % int(m_recent.size());
    m_count = std::min(m_count + 1, int(m_recent.size()));

    const int64_t since = nowMs - m_limits.windowMs;
    const int inWindow = int(std::count_if(m_recent.begin(), m_recent.begin() + m_count,
                                           [&](int64_t t) { return t > since; }));
    if (inWindow < m_limits.underruns)
        return Verdict::Keep;

    // Repeated: what came before belongs to the old period either way.
    m_count = 0;
    m_next = 0;
    const int grown = m_frames * 2;
    if (!m_canGrow || grown > std::max(m_limits.growUpTo, kMinFrames))
        return Verdict::AtLimit;
    m_frames = grown;
    return Verdict::Grow;
}

int PeriodPolicy::usable(int64_t frames)
{
    if (frames <= 0)
        return 0;
    const int64_t rounded = (frames + kMinFrames - 1) / kMinFrames * kMinFrames;
    return int(std::clamp<int64_t>(rounded, kMinFrames, kMaxFrames));
}

} // namespace tamber
