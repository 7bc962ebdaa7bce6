// Any text as the command line: tokens are never empty, never hold a quote, and hold only
// characters of the text after the marker.
#include "app/CommandLine.h"
#include "fuzz/FuzzSupport.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    size_t letters = 0;
    for (const std::string& t : SplitMd2Arguments(line)) {
        fuzz::Require(!t.empty() && t.find('"') == std::string::npos, "no empty token, no quote");
        letters += t.size();
    }
    const size_t at = line.find("-md2");
    fuzz::Require(letters <= (at == std::string::npos ? 0 : line.size() - at),
                  "tokens come from the text after the marker, and none without it");
    return 0;
}
