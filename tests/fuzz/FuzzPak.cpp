// Any bytes as a pak file: the directory read without reading out of bounds; a directory that
// is accepted holds only entries inside the file whose names stay under the base folder.
#include <cstdint>

#include "app/BaseFolder.h"
#include "formats/Pak.h"
#include "fuzz/FuzzSupport.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PakDirectory dir;
    if (!ReadPak(ByteView(data, size), &dir).empty()) {
        fuzz::Require(dir.Entries.empty() && dir.Refused == 0, "a refused pak gives nothing");
        return 0;
    }
    fuzz::Require(dir.Entries.size() + static_cast<size_t>(dir.Refused) <=
                      static_cast<size_t>(pak::MaxEntries),
                  "entry count");
    for (const PakEntry& e : dir.Entries) {
        fuzz::Require(uint64_t{e.Offset} + e.Length <= size, "entry inside the file");
        fuzz::Require(IsConfinedName(e.Name), "entry name under the base folder");
    }
    return 0;
}
