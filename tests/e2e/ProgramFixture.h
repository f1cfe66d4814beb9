// Fixture of the end-to-end tests that run the program: every test gets a
// fresh copy of quillbox.exe (and help.html) in a folder of its own, and a
// second, separate folder as the working directory, so that files written
// beside the program are seen in isolation and a program that used the
// working directory instead would be caught. The programs a test started
// are ended and their windows gone before the next test starts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "e2e/ProcessDriver.h"

namespace e2e {

// Builds store records byte by byte, little-endian, the way the program
// lays them out in poolfile.bin.
std::vector<unsigned char> itemRecord(const char* alias, std::int32_t timestamp,
                                      const std::u16string& text);
// A record of any clipboard format holding these bytes.
std::vector<unsigned char> itemRecord(const char* alias, std::int32_t timestamp,
                                      std::uint16_t format, const std::vector<unsigned char>& bytes);
// A DROPFILES block of wide paths, as Explorer copies files: C:\a.txt and
// C:\b.bin.
std::vector<unsigned char> twoFilesDropBlock();
std::vector<unsigned char> storeBlock(const std::vector<std::vector<unsigned char>>& records);
// Two favorites (the first with a 30-byte alias and a 2008 timestamp),
// then three active texts.
std::vector<unsigned char> samplePoolFile();
// What two empty stores are saved as.
std::vector<unsigned char> emptyPoolFile();

// What a poolfile.bin holds, read by the program's own reader.
struct PoolContent {
    // Read to its end with no message: nothing damaged, nothing cut short.
    bool whole = false;
    std::vector<std::u16string> favorites;
    std::vector<std::u16string> active;  // top first
};
PoolContent readPoolFile(const std::wstring& path);

// Differences between two folder snapshots, one line each; empty if none.
std::string describeChanges(const std::map<std::wstring, FileState>& before,
                            const std::map<std::wstring, FileState>& after);

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Path of a file in the program's folder.
    std::wstring programFile(const wchar_t* name) const;
    const std::wstring& programFolder() const { return folder_; }
    const std::wstring& workFolder() const { return workDir_; }
    const std::wstring& exe() const { return exe_; }

    // Starts one more copy of the program in this test's folder, from the
    // working folder. Ended by TearDown at the latest.
    ProcessDriver& startProgram();

private:
    std::wstring folder_;
    std::wstring workDir_;
    std::wstring exe_;
    std::vector<std::unique_ptr<ProcessDriver>> programs_;
};

}  // namespace e2e
