// Asks a window every 20 ms, from a thread of its own, whether its program
// answers (a WM_NULL sent with a time-out), and keeps the longest wait for
// an answer: how long the program did not respond at a stretch.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

class ResponseWatch {
public:
    explicit ResponseWatch(HWND window);
    ~ResponseWatch();
    ResponseWatch(const ResponseWatch&) = delete;
    ResponseWatch& operator=(const ResponseWatch&) = delete;

    // The longest wait since the last reset, in milliseconds.
    double longestWaitMs() const { return longest_.load(); }
    void reset() { longest_ = 0; }

private:
    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};
