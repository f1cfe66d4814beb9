// Platform interface: the current time in seconds since 1970-01-01 UTC.
#pragma once

#include <cstdint>

std::int32_t currentTime();
