// Milliseconds from the performance counter.
#pragma once

#include <windows.h>

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceFrequency(&frequency_); }
    double nowMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
};
