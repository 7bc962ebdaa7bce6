// Whole-file writes: a save replaces the file only once complete, keeps its permissions, and a
// save that cannot finish leaves the folder as it was and says why with the cause number.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "app/FileBytes.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

class SaveFailure : public ::testing::Test {
  protected:
    // Writes 4000 bytes to `rel` below the folder; returns the result.
    int Save(const std::string& rel) {
        return WriteWholeFile(sys, dir.SystemPath() + "\\" + rel, Bytes(4000, 1));
    }
    // What a folder below the temporary folder holds, temporary files included.
    Texts Entries(const std::string& rel) {
        Texts names;
        for (const auto& e : std::filesystem::directory_iterator(dir.Path() + "/" + rel))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    const Bytes old = {4, 5, 6};
};

TEST_F(SaveFailure, ASaveReplacesTheFileAndKeepsItsPermissionsAndAPathThatCannotBeIsRefused) {
    const std::string target = dir.Write("a/skin.pcx", old);
    chmod(target.c_str(), 0640);
    EXPECT_EQ(Save("a\\skin.pcx"), 1);
    EXPECT_EQ(Save("a\\new.pcx"), 1);
    struct stat st;
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(test::ReadFileBytes(target), Bytes(4000, 1));
    EXPECT_EQ(Entries("a"), (Texts{"new.pcx", "skin.pcx"}));
    EXPECT_TRUE(sys.messages.empty());
    // A new file appears only whole: while it is written nothing stands under its name.
    int cause = 0;
    auto file = sys.OpenFile(dir.SystemPath() + "\\a\\later.pcx", FileMode::Write, &cause);
    ASSERT_TRUE(file && file->Write(old.data(), old.size()));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/a/later.pcx"));
    EXPECT_TRUE(file->Commit());
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/a/later.pcx"), old);

    // A missing folder is a bad path, a folder in the place of the file access denied.
    EXPECT_EQ(Save("nowhere\\skin.pcx"), 0);
    EXPECT_EQ(Save("a"), 0);
    EXPECT_EQ(sys.messages, (Texts{"Error Saving:3", "Error Saving:5"}));
    EXPECT_EQ(Entries(""), Texts{"a"});
}

TEST_F(SaveFailure, AReadOnlyFileOrFolderIsAccessDeniedAndKeepsTheOldFile) {
    const std::string lockedFile = dir.Write("open/skin.pcx", old);
    const std::string inLockedFolder = dir.Write("locked/skin.pcx", old);
    chmod(dir.Path().c_str(), 0755);
    chmod((dir.Path() + "/open").c_str(), 0777);
    chmod(lockedFile.c_str(), 0444);
    chmod(inLockedFolder.c_str(), 0666);
    chmod((dir.Path() + "/locked").c_str(), 0555);
    // Permissions do not stop root, who runs the tests on CI: the saves run as nobody.
    const bool root = geteuid() == 0;
    if (root) {
        EXPECT_EQ(seteuid(65534), 0);
    }
    const int results = Save("open\\skin.pcx") + Save("locked\\skin.pcx");
    if (root) {
        EXPECT_EQ(seteuid(0), 0);
    }
    chmod((dir.Path() + "/locked").c_str(), 0755);
    EXPECT_EQ(results, 0);
    EXPECT_EQ(sys.messages, (Texts{"Error Saving:5", "Error Saving:5"}));
    EXPECT_EQ(test::ReadFileBytes(lockedFile), old);
    EXPECT_EQ(test::ReadFileBytes(inLockedFolder), old);
    EXPECT_EQ(Entries("open"), Texts{"skin.pcx"});
    EXPECT_EQ(Entries("locked"), Texts{"skin.pcx"});
}

TEST_F(SaveFailure, AFullDiskHalfwayKeepsTheOldFileAndLeavesNoTemporaryOrNewFile) {
    // The operating system's file size limit fails the write as a full disk would.
    const std::string target = dir.Write("skin.pcx", old);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int results = Save("skin.pcx") + Save("new.pcx");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(results, 0);
    EXPECT_EQ(sys.messages, (Texts{"Error Saving:13", "Error Saving:13"}));
    EXPECT_EQ(test::ReadFileBytes(target), old);
    EXPECT_EQ(Entries(""), Texts{"skin.pcx"});
}

}  // namespace
}  // namespace varp
