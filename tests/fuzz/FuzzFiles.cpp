// Base folders and file writing for the model fuzzers.
#include "fuzz/FuzzFiles.h"

#include <filesystem>
#include <fstream>

#include "fuzz/FuzzCheck.h"
#include "platform/Paths.h"
#include "sample/Sample.h"
#include "support/Md2Files.h"

namespace varp::fuzz {

void WriteFile(const std::string& osPath, const uint8_t* data, size_t size) {
    std::ofstream out(osPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(out.good(), "writing a scratch file");
}

std::string SystemForm(const std::string& osPath) {
    return ToSystemForm(osPath);
}

std::string BaseFolder(bool withSkins) {
    static const std::string with = [] {
        const std::string dir = RunFolder() + "/with";
        std::filesystem::create_directories(dir + "/skins");
        const std::vector<uint8_t> small = test::MakePcx(8, 8), big = sample::SampleSkinBytes(0);
        WriteFile(dir + "/skins/a.pcx", small.data(), small.size());
        WriteFile(dir + "/skins/b.pcx", big.data(), big.size());
        WriteFile(dir + "/loose.pcx", small.data(), small.size());
        return dir;
    }();
    static const std::string without = [] {
        const std::string dir = RunFolder() + "/without";
        std::filesystem::create_directories(dir);
        return dir;
    }();
    return withSkins ? with : without;
}

}  // namespace varp::fuzz
