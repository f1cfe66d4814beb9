// How many image bytes the active list keeps: one packed DIB of at most
// 32 MB, and at most 256 MB for all of them together. When a new image
// goes beyond that, the oldest images (from the bottom up) leave first;
// texts and other kinds are never dropped for images.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

class ClipItem;

class ImageBudget {
public:
    static constexpr std::int64_t MaxImageBytes = std::int64_t{32} * 1024 * 1024;
    static constexpr std::int64_t MaxTotalBytes = std::int64_t{256} * 1024 * 1024;

    // False for an image over MaxImageBytes: it is not kept.
    static bool admits(const ClipItem& item);
    // Drops images from the bottom of items (position 0 is the top) until
    // their bytes together are within MaxTotalBytes; returns how many went.
    static int trim(std::list<std::unique_ptr<ClipItem>>& items);
};
