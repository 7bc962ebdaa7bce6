// The pak directory reader: every hostile directory refused with its reason, names that lead
// out of the base folder left out and counted, the rest kept.
#include <gtest/gtest.h>

#include <functional>

#include "formats/Pak.h"
#include "support/PakFiles.h"

namespace varp {
namespace {

// a.pcx (3 bytes) at 12, b/c.md2 (2 bytes) at 15; the directory at 17, 128 bytes.
std::vector<uint8_t> GoodPak() {
    return test::MakePak({{"a.pcx", {1, 2, 3}}, {"b/c.md2", {4, 5}}});
}

struct Hostile {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    const char* message;
};

class HostilePak : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostilePak, IsRefusedWithItsReasonAndNothingRead) {
    std::vector<uint8_t> pak = GoodPak();
    GetParam().damage(pak);
    PakDirectory dir;
    dir.Entries.push_back({"kept", 0, 0});
    EXPECT_EQ(ReadPak(ByteView(pak), &dir), GetParam().message);
    ASSERT_EQ(dir.Entries.size(), 1u);
    EXPECT_EQ(dir.Entries[0].Name, "kept");
}

void Put(std::vector<uint8_t>& pak, size_t at, int32_t value) {
    md2::PutInt(pak.data() + at, value);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, HostilePak,
    ::testing::Values(
        Hostile{"ident", [](auto& p) { p[0] = 'X'; }, "This is not a pak file."},
        Hostile{"short", [](auto& p) { p.resize(8); },
                "This pak file is damaged: its header is cut short."},
        Hostile{"past", [](auto& p) { Put(p, 4, 18); },
                "This pak file is damaged: its directory lies past the end of the file."},
        Hostile{"negative", [](auto& p) { Put(p, 4, -64); },
                "This pak file is damaged: its directory lies past the end of the file."},
        Hostile{"ragged", [](auto& p) { Put(p, 8, 100); },
                "This pak file is damaged: its directory is not a whole number of entries."},
        Hostile{"many", [](auto& p) { Put(p, 8, 4097 * 64); },
                "This pak file has 4097 entries, more than the 4096 the game reads."},
        Hostile{"endless", [](auto& p) { std::fill_n(p.begin() + 17 + 64, 56, 'x'); },
                "This pak file is damaged: entry 2 has a name without an end."},
        Hostile{"long", [](auto& p) { Put(p, 17 + 60, 134); },
                "This pak file is damaged: entry 1 (a.pcx) lies past the end of the file."},
        Hostile{"before", [](auto& p) { Put(p, 17 + 64 + 56, -1); },
                "This pak file is damaged: entry 2 (b/c.md2) lies past the end of the file."}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(Pak, NamesLeadingOutAreLeftOutAndCountedTheRestKept) {
    const std::vector<uint8_t> pak = test::MakePak(
        {{"../up.pcx", {1}}, {"/abs.pcx", {2}}, {"a/../b.pcx", {3}}, {"c:/d.pcx", {4}}});
    PakDirectory dir;
    ASSERT_EQ(ReadPak(ByteView(pak), &dir), "");
    ASSERT_EQ(dir.Entries.size(), 1u);
    EXPECT_EQ(dir.Entries[0].Name, "a/../b.pcx");
    EXPECT_EQ(dir.Entries[0].Offset, 14u);
    EXPECT_EQ(dir.Entries[0].Length, 1u);
    EXPECT_EQ(dir.Refused, 3);
    EXPECT_EQ(dir.FirstRefused, "../up.pcx");

    // The most entries the game reads, nameless ones, are read and left out.
    std::vector<uint8_t> full = GoodPak();
    full.resize(17 + 4096 * 64, 0);
    Put(full, 8, 4096 * 64);
    ASSERT_EQ(ReadPak(ByteView(full), &dir), "");
    EXPECT_EQ(dir.Entries.size(), 2u);
    EXPECT_EQ(dir.Refused, 4094);
}

}  // namespace
}  // namespace varp
