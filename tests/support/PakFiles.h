// Pak files for tests, laid out by the tests' own code: the files after the header, then the
// directory.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formats/Md2Format.h"

namespace varp::test {

using PakFiles = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

inline std::vector<uint8_t> MakePak(const PakFiles& files) {
    std::vector<uint8_t> pak(12, 0), directory;
    for (const auto& [name, bytes] : files) {
        std::vector<uint8_t> entry(64, 0);
        std::copy_n(name.begin(), std::min<size_t>(name.size(), 56), entry.begin());
        md2::PutInt(entry.data() + 56, static_cast<int32_t>(pak.size()));
        md2::PutInt(entry.data() + 60, static_cast<int32_t>(bytes.size()));
        directory.insert(directory.end(), entry.begin(), entry.end());
        pak.insert(pak.end(), bytes.begin(), bytes.end());
    }
    std::copy_n("PACK", 4, pak.begin());
    md2::PutInt(pak.data() + 4, static_cast<int32_t>(pak.size()));
    md2::PutInt(pak.data() + 8, static_cast<int32_t>(directory.size()));
    pak.insert(pak.end(), directory.begin(), directory.end());
    return pak;
}

}  // namespace varp::test
