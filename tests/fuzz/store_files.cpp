// The data-file readers: any bytes as poolfile.bin (loadAll) and as a
// backup file (loadFromFile). A reader succeeds only on a file that holds
// what it needs, reports every failure with a message, and whatever it read
// is saved and loaded again unchanged; a pool file whose every record was
// kept saves byte for byte.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "Checks.h"
#include "Fakes.h"
#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "core/ItemStore.h"
#include "core/LittleEndian.h"
#include "storage/Settings.h"
#include "storage/StoreFile.h"

namespace {

constexpr std::int32_t Room = 4;

const ScratchFolder& folder() {
    static const ScratchFolder scratch;
    return scratch;
}

bool stoppedWithIcon(const RecordingMessages& messages) {
    for (const auto& shown : messages.shown) {
        if ((shown.style & msgbox::IconStop) != 0) return true;
    }
    return false;
}

// A result of 0 comes with no error message, -1 with at least one.
void checkReport(int result, const RecordingMessages& messages) {
    fuzzCheck(result == 0 || result == -1, "a reader returns 0 or -1");
    fuzzCheck((result == 0) == !stoppedWithIcon(messages), "a reader reports exactly its failures");
}

void checkPoolFile(const Settings& settings, const std::vector<std::uint8_t>& bytes) {
    RecordingMessages messages;
    ItemStore favorites(1, settings, messages);
    ItemStore active(0, settings, messages);
    StoreFile files(folder().str(), messages);
    const int result = files.loadAll(&favorites, &active, "poolfile.bin");
    checkReport(result, messages);
    bool keptEverything = false;
    std::size_t wholeLength = 0;
    if (result == 0 && !bytes.empty()) {
        const long long size = static_cast<long long>(bytes.size());
        const long long first = size >= 4 ? readInt32LE(bytes.data()) : -1;
        fuzzCheck(first >= 4 && first + 4 <= size, "a loaded pool file holds two block lengths");
        const long long second = readInt32LE(bytes.data() + first);
        fuzzCheck(second >= 4 && first + second <= size, "a loaded pool file holds both blocks");
        keptEverything = favorites.count() == recordCount(bytes.data(), static_cast<std::int32_t>(first)) &&
                         active.count() == recordCount(bytes.data() + first, static_cast<std::int32_t>(second));
        wholeLength = static_cast<std::size_t>(first + second);
    }
    checkStore(favorites);
    checkStore(active);

    RecordingMessages quiet;
    StoreFile again(folder().str(), quiet);
    fuzzCheck(again.saveAll(&favorites, &active, "again.bin") == 0, "what was loaded saves");
    if (keptEverything) {
        const std::vector<std::uint8_t> saved = folder().read("again.bin");
        fuzzCheck(saved.size() == wholeLength && std::equal(saved.begin(), saved.end(), bytes.begin()),
                  "a pool file loaded whole saves byte for byte");
    }
    ItemStore favoritesAgain(1, settings, quiet);
    ItemStore activeAgain(0, settings, quiet);
    fuzzCheck(again.loadAll(&favoritesAgain, &activeAgain, "again.bin") == 0, "a saved pool file loads");
    fuzzCheck(quiet.shown.empty(), "saving and loading a sound pool file says nothing");
    fuzzCheck(blockOf(favoritesAgain) == blockOf(favorites), "the favorites load back the same");
    fuzzCheck(blockOf(activeAgain) == blockOf(active), "the active list loads back the same");
}

void checkBackup(const Settings& settings, int isFavorites, const std::vector<std::uint8_t>& bytes) {
    RecordingMessages messages;
    ItemStore store(isFavorites, settings, messages);
    StoreFile files(folder().str(), messages);
    const int result = files.loadFromFile(store, folder().file("backup.bin"));
    checkReport(result, messages);
    if (result == 0 && !bytes.empty()) {
        fuzzCheck(bytes.size() >= 4 && readInt32LE(bytes.data()) == static_cast<long long>(bytes.size()),
                  "a restored backup's length is its size");
    }
    checkStore(store);

    RecordingMessages quiet;
    StoreFile again(folder().str(), quiet);
    fuzzCheck(again.saveToFile(store, "backup-again.bin") == 0, "what was restored backs up");
    ItemStore restored(isFavorites, settings, quiet);
    fuzzCheck(again.loadFromFile(restored, "backup-again.bin") == 0, "a backup restores");
    fuzzCheck(quiet.shown.empty(), "backing up and restoring a sound list says nothing");
    fuzzCheck(blockOf(restored) == blockOf(store), "a backup restores the same items");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const std::vector<std::uint8_t> bytes(data, data + size);
    folder().write("poolfile.bin", bytes);
    folder().write("backup.bin", bytes);

    Settings settings;
    settings.MaxActiveItemNum(Room);
    settings.MaxFavoriteItemNum(Room);
    checkPoolFile(settings, bytes);
    checkBackup(settings, 0, bytes);
    checkBackup(settings, 1, bytes);
    return 0;
}
