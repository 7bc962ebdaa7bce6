// Any text as the command line: tokens are never empty, never hold a quote, and hold only
// characters of the text after the marker.
#include <cstdint>
#include <string>

#include "app/CommandLine.h"
#include "fuzz/FuzzCheck.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> tokens = SplitMd2Arguments(line);
    size_t letters = 0;
    for (const std::string& t : tokens) {
        fuzz::Require(!t.empty(), "no empty token");
        fuzz::Require(t.find('"') == std::string::npos, "no quote in a token");
        letters += t.size();
    }
    const size_t at = line.find("-md2");
    if (at == std::string::npos) {
        fuzz::Require(tokens.empty(), "no marker, no tokens");
    } else {
        fuzz::Require(letters <= line.size() - at, "tokens come from the text after the marker");
    }
    return 0;
}
