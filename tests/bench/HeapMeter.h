// Counts the heap bytes this process holds: every operator new and delete
// of the benchmark executable goes through it. A benchmark reads the peak
// over a stretch of work to state the work's memory as a multiple of its
// input.
#pragma once

#include <cstddef>

class HeapMeter {
public:
    // Bytes held now.
    static std::size_t live();
    // The most bytes held at once since the last resetPeak.
    static std::size_t peak();
    // Starts a new stretch: the peak becomes the bytes held now.
    static void resetPeak();
};
