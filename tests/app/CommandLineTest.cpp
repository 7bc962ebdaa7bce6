// The "-md2" command line grammar.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace varp {
namespace {

using Tokens = std::vector<std::string>;

TEST(CommandLine, ModelThenSkinsAfterTheFirstMd2) {
    EXPECT_EQ(SplitMd2Arguments("varp -md2 a.md2 b.pcx c.pcx"), (Tokens{"a.md2", "b.pcx", "c.pcx"}));
    EXPECT_EQ(SplitMd2Arguments("varp -md2   a.md2    b.pcx  "), (Tokens{"a.md2", "b.pcx"}));
    EXPECT_EQ(SplitMd2Arguments("x -md2 a -md2 b"), (Tokens{"a", "-md2", "b"}));
    // The character right after the marker is skipped whatever it is.
    EXPECT_EQ(SplitMd2Arguments("varp -md2Xa.md2"), (Tokens{"a.md2"}));
}

TEST(CommandLine, QuotesJoinWordsAndAreDropped) {
    EXPECT_EQ(SplitMd2Arguments("\"C:\\Program Files\\varp.exe\" -md2 \"D:\\my models\\x.md2\" s.pcx"),
              (Tokens{"D:\\my models\\x.md2", "s.pcx"}));
    EXPECT_EQ(SplitMd2Arguments("v -md2 a\"b c\"d"), (Tokens{"ab cd"}));
    EXPECT_EQ(SplitMd2Arguments("v -md2 \"\" x"), (Tokens{"x"}));
}

TEST(CommandLine, NoArgumentsWithoutTheExactMarkerOrAfterIt) {
    EXPECT_TRUE(SplitMd2Arguments("varp").empty());
    EXPECT_TRUE(SplitMd2Arguments("varp -MD2 a.md2").empty());
    EXPECT_TRUE(SplitMd2Arguments("varp -md2").empty());
    EXPECT_TRUE(SplitMd2Arguments("varp -md2 ").empty());
    EXPECT_TRUE(SplitMd2Arguments("varp -md2    ").empty());
}

}  // namespace
}  // namespace varp
