#include "perf/ResponseWatch.h"

#include "perf/Stopwatch.h"

ResponseWatch::ResponseWatch(HWND window) : window_(window) {
    thread_ = std::thread([this] {
        const Stopwatch clock;
        while (!stop_.load()) {
            const double start = clock.nowMs();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
            const double waited = clock.nowMs() - start;
            if (waited > longest_.load()) longest_ = waited;
            Sleep(20);
        }
    });
}

ResponseWatch::~ResponseWatch() {
    stop_ = true;
    thread_.join();
}
