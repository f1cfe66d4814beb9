// Runs one fuzz target's kept inputs through its entry point: the seeds and
// the crash inputs found by earlier runs. The folders are the arguments; the
// first (the seeds) must hold at least one input, a later one may be absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"

namespace {

std::vector<std::filesystem::path> inputFolders;

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

TEST(FuzzInputs, EveryKeptInputHoldsTheTargetsProperties) {
    ASSERT_FALSE(inputFolders.empty());
    ASSERT_FALSE(filesIn(inputFolders.front()).empty()) << inputFolders.front() << " holds no seed";
    for (const auto& folder : inputFolders) {
        for (const auto& file : filesIn(folder)) {
            // A broken property aborts: this line names the input that did it.
            std::fprintf(stderr, "input %s\n", file.string().c_str());
            const std::vector<std::uint8_t> bytes = contentOf(file);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) inputFolders.emplace_back(argv[i]);
    return RUN_ALL_TESTS();
}
