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
    if (inWindow < m_limits.underruns || m_settled)
        return Verdict::Keep;

    // Repeated. The deciding hiccups are the latest ones; their span tells how dense it was.
    const int size = int(m_recent.size());
    const int64_t spanMs = nowMs - m_recent[size_t((m_next - m_limits.underruns + size) % size)];
    // What came before belongs to the old period either way.
    m_count = 0;
    m_next = 0;
    if (m_before > 0 && !helped(nowMs, spanMs)) {
        m_frames = m_before;
        m_settled = true;
        return Verdict::StepBack;
    }
    const int grown = m_frames * 2;
    if (!m_canGrow || grown > std::max(m_limits.growUpTo, kMinFrames))
        return Verdict::AtLimit;
    m_before = m_frames;
    m_beforeSpanMs = spanMs;
    m_grownAtMs = nowMs;
    m_frames = grown;
    return Verdict::Grow;
}

bool PeriodPolicy::helped(int64_t nowMs, int64_t spanMs) const
{
    // Quiet for a good while, or crackling at most half as often: new trouble, not the old.
    return nowMs - m_grownAtMs >= m_limits.helpedMs || spanMs >= 2 * m_beforeSpanMs;
}

int PeriodPolicy::usable(int64_t frames)
{
    if (frames <= 0)
        return 0;
    const int64_t rounded = (frames + kMinFrames - 1) / kMinFrames * kMinFrames;
    return int(std::clamp<int64_t>(rounded, kMinFrames, kMaxFrames));
}

} // namespace tamber
