#include "exchange/BookmarkTree.h"

namespace BookmarkTimes {

std::int64_t FromEpochGuess(std::int64_t value)
{
    if (value <= 0)
        return 0;
    // Seconds reach 1e11 only in the year 5138.
    while (value > 100'000'000'000LL)
        value /= 1000;
    return value;
}

std::int64_t FromWebKit(std::int64_t microseconds)
{
    constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600LL;
    const std::int64_t seconds = microseconds / 1'000'000 - kSecondsFrom1601To1970;
    return microseconds <= 0 || seconds <= 0 ? 0 : seconds;
}

} // namespace BookmarkTimes
