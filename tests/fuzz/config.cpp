// The configuration reader: any bytes as the text of Inkwell.cfg, parsed
// directly and read from a file. The settings read are written as the
// configuration text, which holds 24 lines and reads back to the same
// settings; and that text, after any other, sets every value again. The
// first 52 bytes also give the 13 values of a record, whose text must read
// back to the same record.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "core/LittleEndian.h"
#include "storage/Settings.h"

namespace {

const ScratchFolder& folder() {
    static const ScratchFolder scratch;
    return scratch;
}

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

// A record whose values are the input's first 13 little-endian 32-bit
// numbers (the hotkey setters keep a part whose low 16 bits are zero).
void checkValuesReadBack(const std::uint8_t* data, std::size_t size) {
    if (size < 13 * 4) return;
    std::int32_t v[13];
    for (int i = 0; i < 13; ++i) v[i] = readInt32LE(data + 4 * i);
    Settings record;
    record.MaxFavoriteItemNum(v[0]);
    record.MaxActiveItemNum(v[1]);
    record.EnableMonitoring(v[2]);
    record.EnablePopupMenu(v[3]);
    record.EnableAutoHide(v[4]);
    record.EnableFavoriteAutoPaste(v[5]);
    record.EnableStartup(v[6]);
    record.StartupMinimized(v[7]);
    record.AccKey(static_cast<unsigned>(v[8]), static_cast<unsigned>(v[9]));
    record.FavoriteAccKey(static_cast<unsigned>(v[10]), static_cast<unsigned>(v[11]));
    record.PopupShowInfo(v[12]);

    Settings reread;
    reread.parseConfig(record.configText());
    fuzzCheck(reread.MaxFavoriteItemNum() == v[0] && reread.MaxActiveItemNum() == v[1] &&
                  reread.EnableMonitoring() == v[2] && reread.EnablePopupMenu() == v[3] &&
                  reread.EnableAutoHide() == v[4] && reread.EnableFavoriteAutoPaste() == v[5] &&
                  reread.EnableStartup() == v[6] && reread.StartupMinimized() == v[7] &&
                  reread.PopupShowInfo() == v[12],
              "every written number reads back");
    fuzzCheck(reread.AccKey() == record.AccKey() && reread.FavoriteAccKey() == record.FavoriteAccKey(),
              "both written hotkeys read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    Settings parsed;
    parsed.parseConfig(text);
    const std::string written = parsed.configText();
    fuzzCheck(lineCount(written) == 24, "the configuration text has 24 lines");
    fuzzCheck(written.size() >= 2 && written.compare(written.size() - 2, 2, "\r\n") == 0,
              "every configuration line ends with CR LF");

    Settings reread;
    reread.parseConfig(written);
    fuzzCheck(reread.configText() == written, "written settings read back the same");

    Settings overridden;
    overridden.parseConfig(text + "\n" + written);
    fuzzCheck(overridden.configText() == written, "later lines override earlier ones");

    checkValuesReadBack(data, size);

    folder().write(Settings::FileName, text);
    Settings fromFile;
    fuzzCheck(fromFile.readConfig(folder().file(Settings::FileName)) == 0, "an existing file reads");
    fuzzCheck(fromFile.configText() == written, "the file reads like its text");
    return 0;
}
