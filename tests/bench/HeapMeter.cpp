#include "bench/HeapMeter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* take(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) return nullptr;
    const std::size_t now = liveBytes += malloc_usable_size(p);
    std::size_t seen = peakBytes.load();
    while (now > seen && !peakBytes.compare_exchange_weak(seen, now)) {
    }
    return p;
}

void give(void* p) {
    if (p == nullptr) return;
    liveBytes -= malloc_usable_size(p);
    std::free(p);
}

}  // namespace

std::size_t HeapMeter::live() { return liveBytes.load(); }
std::size_t HeapMeter::peak() { return peakBytes.load(); }
void HeapMeter::resetPeak() { peakBytes.store(liveBytes.load()); }

void* operator new(std::size_t size) {
    void* p = take(size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return take(size); }
void operator delete(void* p) noexcept { give(p); }
void operator delete[](void* p) noexcept { give(p); }
void operator delete(void* p, std::size_t) noexcept { give(p); }
void operator delete[](void* p, std::size_t) noexcept { give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { give(p); }
