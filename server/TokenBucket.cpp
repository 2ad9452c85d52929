#include "TokenBucket.h"

#include <algorithm>

namespace tamber::server {

namespace {

double seconds(Duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

TokenBucket::TokenBucket(double rate, double burst, Time now)
    : m_rate(rate), m_burst(burst), m_tokens(burst), m_last(now)
{
}

double TokenBucket::tokensAt(Time now) const
{
    if (now <= m_last)
        return m_tokens;
    return std::min(m_burst, m_tokens + m_rate * seconds(now - m_last));
}

bool TokenBucket::take(Time now)
{
    m_tokens = tokensAt(now);
    m_last = std::max(m_last, now);
    // The slack absorbs rounding, so waking after untilNext() always finds the token.
    if (m_tokens < 1.0 - 1e-9)
        return false;
    m_tokens = std::max(0.0, m_tokens - 1.0);
    return true;
}

Duration TokenBucket::untilNext(Time now) const
{
    const double missing = 1.0 - tokensAt(now);
    if (missing <= 0.0)
        return Duration::zero();
    const auto wait = std::chrono::duration<double>(missing / m_rate);
    return std::chrono::ceil<Duration>(wait);
}

} // namespace tamber::server
