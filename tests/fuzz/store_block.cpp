// The store block parser: any bytes as a block for the active list and for
// the favorites, each with room for four items so that full lists come up
// often. Whatever was read is written back and must read back the same; a
// block whose every record was kept writes back byte for byte.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "Checks.h"
#include "Fakes.h"
#include "FuzzCheck.h"
#include "core/ItemStore.h"
#include "storage/Settings.h"

namespace {

constexpr std::int32_t Room = 4;

void parseInto(int isFavorites, const std::uint8_t* data, std::int32_t length) {
    Settings settings;
    settings.MaxActiveItemNum(Room);
    settings.MaxFavoriteItemNum(Room);
    RecordingMessages messages;
    ItemStore store(isFavorites, settings, messages);

    std::int32_t stoppedAt = -1;
    const int result = store.parseBlock(data, length, &stoppedAt);
    fuzzCheck(result == 0 || result == -1, "parseBlock returns 0 or -1");
    fuzzCheck(stoppedAt >= 0 && stoppedAt <= length, "reading stops inside the block");
    checkStore(store);
    // The active list makes room by itself; the favorites refuse once and
    // stop there, which is not a damaged block.
    if (!isFavorites) fuzzCheck(messages.shown.empty(), "the active list refuses nothing");
    fuzzCheck(messages.shown.size() <= 1, "reading stops at the first refusal");
    fuzzCheck(messages.shown.empty() || result == 0, "a refusal is no damage");

    const std::vector<unsigned char> written = blockOf(store);
    fuzzCheck(written.size() <= static_cast<std::size_t>(std::max(stoppedAt, 4)),
              "a store keeps no more than the records it read");

    if (result == 0 && stoppedAt == length && store.count() == recordCount(data, length)) {
        fuzzCheck(std::equal(written.begin() + 4, written.end(), data + 4),
                  "a block read whole writes back byte for byte");
    }

    ItemStore again(isFavorites, settings, messages);
    std::int32_t reached = -1;
    fuzzCheck(again.parseBlock(written.data(), static_cast<std::int32_t>(written.size()),
                               &reached) == 0,
              "a written block reads back");
    fuzzCheck(reached == static_cast<std::int32_t>(written.size()), "a written block reads to its end");
    fuzzCheck(blockOf(again) == written, "a written block reads back to the same items");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const std::int32_t length = static_cast<std::int32_t>(size);
    parseInto(0, data, length);
    parseInto(1, data, length);
    return 0;
}
