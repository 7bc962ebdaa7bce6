// Writes the seed corpora of the fuzz targets, made by the project's own code: the demo
// model and skins, small models and images from the tests, and a few command lines.
#include <cstdio>
#include <filesystem>
#include <string>

#include "formats/Md2Format.h"
#include "fuzz/FuzzFiles.h"
#include "sample/Sample.h"
#include "support/Md2Files.h"
#include "support/PakFiles.h"

using namespace varp;

namespace {

void Seed(const std::string& dir, const std::string& name, std::vector<uint8_t> bytes,
          int prefix = -1) {
    std::filesystem::create_directories(dir);
    if (prefix >= 0) bytes.insert(bytes.begin(), static_cast<uint8_t>(prefix));
    fuzz::WriteFile(dir + "/" + name, bytes.data(), bytes.size());
}

std::vector<uint8_t> Text(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: varp-fuzz-seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    test::TestModel square = test::SquareModel();
    square.skins = {"skins/a.pcx", "missing.pcx"};
    test::TestModel bare = test::SquareModel();
    test::TestModel big = test::SquareModel();
    big.skinWidth = big.skinHeight = 256;
    big.skins = {"skins\\b.pcx"};
    for (const char* target : {"md2", "resave"}) {
        const std::string d = dir + "/" + target;
        Seed(d, "sample-with-skins", sample::SampleModelBytes(), 1);
        Seed(d, "square-with-skins", test::MakeMd2(square), 1);
        Seed(d, "square-without-skins", test::MakeMd2(square), 0);
        Seed(d, "bare-scan-yes", test::MakeMd2(bare), 3);
        Seed(d, "big-skin", test::MakeMd2(big), 1);
        Seed(d, "dense", sample::DenseModelBytes(64), 0);
    }
    Seed(dir + "/pcx", "skin", sample::SampleSkinBytes(0));
    Seed(dir + "/pcx", "small", sample::SampleSkinBytes(4));
    Seed(dir + "/pcx", "tiny", test::MakePcx(3, 2));
    Seed(dir + "/pak", "models",
         test::MakePak({{"models/sq/tris.md2", test::MakeMd2(square)},
                        {"models/sq/skin.pcx", test::MakePcx(8, 8)},
                        {"../out.pcx", {1, 2}}}));
    Seed(dir + "/pak", "empty", test::MakePak({}));
    for (const char* line :
         {"varp -md2 a.md2 b.pcx", "\"C:\\P F\\v.exe\" -md2 \"D:\\m m\\x.md2\" s.pcx", "v -md2",
          "v -md2Xa   b \"\" c", "-md2 -md2 -md2"}) {
        static int n = 0;
        Seed(dir + "/cmdline", "line" + std::to_string(n++), Text(line));
    }
    return 0;
}
