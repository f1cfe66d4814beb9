#include "core/ProgramFolder.h"

#include <gtest/gtest.h>

TEST(ProgramFolderTest, FolderIsEverythingBeforeTheLastBackslash) {
    EXPECT_EQ(folderOfModulePath("C:\\Program Files\\Quillbox\\quillbox.exe"),
              "C:\\Program Files\\Quillbox");
    EXPECT_EQ(folderOfModulePath("\\\\server\\share\\quillbox.exe"), "\\\\server\\share");
    EXPECT_EQ(folderOfModulePath("C:\\quillbox.exe"), "C:");
    EXPECT_EQ(folderOfModulePath("C:\\tools\\"), "C:\\tools");
}

TEST(ProgramFolderTest, OneDoubledBackslashBeforeTheNameIsDropped) {
    EXPECT_EQ(folderOfModulePath("C:\\tools\\\\quillbox.exe"), "C:\\tools");
    EXPECT_EQ(folderOfModulePath("C:\\tools\\\\\\quillbox.exe"), "C:\\tools\\");
    EXPECT_EQ(folderOfModulePath("\\\\quillbox.exe"), "");
}

TEST(ProgramFolderTest, NoBackslashGivesAnEmptyFolder) {
    EXPECT_EQ(folderOfModulePath("quillbox.exe"), "");
    EXPECT_EQ(folderOfModulePath("C:/tools/quillbox.exe"), "");
    EXPECT_EQ(folderOfModulePath(""), "");
    EXPECT_EQ(folderOfModulePath("\\quillbox.exe"), "");
}

TEST(ProgramFolderTest, RunningProgramHasAFolder) {
    EXPECT_FALSE(programFolder().empty());
}

TEST(ProgramFolderTest, PathInFolderJoinsWithOneSeparator) {
    EXPECT_EQ(pathInFolder("", "poolfile.bin"), "poolfile.bin");
    const std::string folder = programFolder();
    const std::string path = pathInFolder(folder, "poolfile.bin");
    ASSERT_EQ(path.size(), folder.size() + 1 + 12);
    EXPECT_EQ(path.compare(0, folder.size(), folder), 0);
    EXPECT_TRUE(path[folder.size()] == '/' || path[folder.size()] == '\\');
    EXPECT_EQ(path.substr(folder.size() + 1), "poolfile.bin");
}
