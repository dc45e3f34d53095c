#pragma once
// Wall-clock time as a replaceable function, so that whatever stamps a file with
// the time can be pinned to a fixed second in tests.
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>

namespace platform {

// Seconds since 1970-01-01 00:00 UTC, or nothing when the clock cannot be read.
using SecondsClock = std::function<std::optional<int64_t>()>;

inline std::optional<int64_t> SystemSeconds()
{
    std::time_t now = std::time(nullptr);
    if (now == std::time_t(-1))
        return std::nullopt;
    return int64_t(now);
}

} // namespace platform
