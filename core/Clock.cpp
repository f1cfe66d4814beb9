// The current time from the standard library.
#include "core/Clock.h"

#include <ctime>

std::int32_t currentTime() { return static_cast<std::int32_t>(std::time(nullptr)); }
