// A save that cannot finish leaves the file on disk as it was and says why, with the cause.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "app/FileBytes.h"
#include "formats/Pcx.h"
#include "skins/SkinFiles.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class SaveFailure : public ::testing::Test {
  protected:
    std::unique_ptr<SkinImage> Skin() {
        const std::vector<uint8_t> bytes = test::MakePcx(64, 64);
        return DecodePcx(ByteView(bytes));
    }
    size_t EntriesIn(const std::string& osDir) {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(osDir)) ++n;
        return n;
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
};

TEST_F(SaveFailure, AMissingFolderIsABadPathAndAFolderInThePlaceOfTheFileIsAccessDenied) {
    EXPECT_EQ(SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\nowhere\\skin.pcx"), 0);
    EXPECT_EQ(EntriesIn(dir.Path()), 0u);  // nothing is created
    dir.Write("taken/x", {});
    EXPECT_EQ(SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\taken"), 0);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{"Error Saving:3", "Error Saving:5"}));
}

// Permissions do not stop root, who runs the tests on CI: for as long as this lives, the
// program acts as an ordinary user.
class AsOrdinaryUser {
  public:
    AsOrdinaryUser() : wasRoot_(geteuid() == 0) {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~AsOrdinaryUser() {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

  private:
    bool wasRoot_;
};

TEST_F(SaveFailure, AReadOnlyFileOrFolderIsAccessDeniedAndKeepsTheOldFile) {
    const std::vector<uint8_t> old = {4, 5, 6};
    const std::string lockedFile = dir.Write("open/skin.pcx", old);
    const std::string inLockedFolder = dir.Write("locked/skin.pcx", old);
    chmod(dir.Path().c_str(), 0755);
    chmod((dir.Path() + "/open").c_str(), 0777);
    chmod(lockedFile.c_str(), 0444);
    chmod(inLockedFolder.c_str(), 0666);
    chmod((dir.Path() + "/locked").c_str(), 0555);
    {
        AsOrdinaryUser user;
        EXPECT_EQ(SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\open\\skin.pcx"), 0);
        EXPECT_EQ(SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\locked\\skin.pcx"), 0);
    }
    chmod((dir.Path() + "/locked").c_str(), 0755);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{"Error Saving:5", "Error Saving:5"}));
    EXPECT_EQ(test::ReadFileBytes(lockedFile), old);
    EXPECT_EQ(test::ReadFileBytes(inLockedFolder), old);
    EXPECT_EQ(EntriesIn(dir.Path() + "/open"), 1u);
    EXPECT_EQ(EntriesIn(dir.Path() + "/locked"), 1u);
}

TEST_F(SaveFailure, ADiskFullHalfwayKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::vector<uint8_t> old = {1, 2, 3, 4, 5};
    const std::string target = dir.Write("skin.pcx", old);
    sys.writeFaultAfter = 1000;
    EXPECT_EQ(SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\skin.pcx"), 0);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"Error Saving:13"});
    EXPECT_EQ(test::ReadFileBytes(target), old);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

    // A new file that cannot be finished does not appear at all.
    EXPECT_EQ(SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\new.pcx"), 0);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST_F(SaveFailure, AFileSizeLimitOfTheOperatingSystemIsReportedAsDiskFull) {
    const std::vector<uint8_t> old(100, 7);
    const std::string target = dir.Write("skin.pcx", old);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = SaveSkinFile(sys, *Skin(), dir.SystemPath() + "\\skin.pcx");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"Error Saving:13"});
    EXPECT_EQ(test::ReadFileBytes(target), old);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST_F(SaveFailure, ASuccessfulSaveKeepsTheFilePermissions) {
    const std::string target = dir.Write("skin.pcx", {9});
    chmod(target.c_str(), 0640);
    EXPECT_EQ(WriteWholeFile(sys, dir.SystemPath() + "\\skin.pcx", {1, 2}), 1);
    struct stat st;
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(test::ReadFileBytes(target), (std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(sys.messages.empty());
}

}  // namespace
}  // namespace varp
