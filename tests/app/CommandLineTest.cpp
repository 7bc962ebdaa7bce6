// The "-md2" command line grammar.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace varp {
namespace {

using Tokens = std::vector<std::string>;

TEST(CommandLine, TheModelAndItsSkinsFollowTheFirstExactMarker) {
    const std::pair<std::string, Tokens> cases[] = {
        {"varp -md2 a.md2 b.pcx c.pcx", {"a.md2", "b.pcx", "c.pcx"}},
        {"varp -md2   a.md2    b.pcx  ", {"a.md2", "b.pcx"}},
        {"x -md2 a -md2 b", {"a", "-md2", "b"}},
        // The character right after the marker is skipped whatever it is.
        {"varp -md2Xa.md2", {"a.md2"}},
        // Quotes join words and are dropped.
        {"\"C:\\Program Files\\varp.exe\" -md2 \"D:\\my models\\x.md2\" s.pcx",
         {"D:\\my models\\x.md2", "s.pcx"}},
        {"v -md2 a\"b c\"d", {"ab cd"}},
        {"v -md2 \"\" x", {"x"}},
        // Nothing without the exact marker or after it.
        {"varp", {}},
        {"varp -MD2 a.md2", {}},
        {"varp -md2", {}},
        {"varp -md2 ", {}},
        {"varp -md2    ", {}},
    };
    for (const auto& [line, tokens] : cases) EXPECT_EQ(SplitMd2Arguments(line), tokens) << line;
}

}  // namespace
}  // namespace varp
