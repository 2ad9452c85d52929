#pragma once

// A token bucket: tokens come back at a steady rate, and up to `burst` of them can be saved up,
// so a sender may be quick for a moment but not for long. It starts full.

#include "server/Clock.h"

namespace tamber::server {

class TokenBucket
{
public:
    // rate > 0 tokens a second; burst >= 1.
    TokenBucket(double rate, double burst, Time now);

    // Takes one token if there is one.
    bool take(Time now);
    // How long until one token is there; zero when there is one now.
    Duration untilNext(Time now) const;

private:
    double tokensAt(Time now) const;

    double m_rate;
    double m_burst;
    double m_tokens;
    Time m_last;
};

} // namespace tamber::server
