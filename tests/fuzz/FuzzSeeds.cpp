// Writes the seed corpora of the fuzz targets afresh, made by the project's own code: the demo
// model and skins, small models and images from the tests, and a few command lines. The first
// byte of a model seed is the target's choice byte (bit 0 skins present, bit 1 answer Yes).
#include <cstring>

#include "formats/Md2Format.h"
#include "fuzz/FuzzSupport.h"

using namespace varp;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: varp-fuzz-seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::remove_all(dir);
    auto seed = [&](const std::string& name, std::vector<uint8_t> bytes, int choice = -1) {
        std::filesystem::create_directories(std::filesystem::path(dir + name).parent_path());
        if (choice >= 0) bytes.insert(bytes.begin(), static_cast<uint8_t>(choice));
        fuzz::WriteFile(dir + name, bytes.data(), bytes.size());
    };
    test::TestModel square = test::SquareModel(), bare = test::SquareModel(),
                    big = test::SquareModel();
    square.skins = {"skins/a.pcx", "missing.pcx"};
    big.skinWidth = big.skinHeight = 256;
    big.skins = {"skins\\b.pcx"};
    // Names that would lead out of the base folder, beside one that may be read.
    test::TestModel hostile = test::SquareModel();
    hostile.skins = {"../a.pcx", "/tmp/x.pcx", "skins/../../b.pcx", "C:\\q2\\c.pcx", "skins/a.pcx"};
    for (const std::string target : {"/md2/", "/resave/"}) {
        seed(target + "sample-with-skins", sample::SampleModelBytes(), 1);
        seed(target + "square-with-skins", test::MakeMd2(square), 1);
        seed(target + "square-without-skins", test::MakeMd2(square), 0);
        seed(target + "bare-scan-yes", test::MakeMd2(bare), 3);
        seed(target + "big-skin", test::MakeMd2(big), 1);
        seed(target + "dense", sample::DenseModelBytes(64), 0);
        seed(target + "hostile-names", test::MakeMd2(hostile), 1);
    }
    seed("/pcx/skin", sample::SampleSkinBytes(0));
    seed("/pcx/small", sample::SampleSkinBytes(4));
    seed("/pcx/tiny", test::MakePcx(3, 2));
    // As other programs write them: rows padded to an even length, and colour in three planes.
    const auto raw = [](int planes, int bytesPerLine) {
        std::vector<uint8_t> f = {0x0A, 5, 1, 8, 0, 0, 0, 0, 2, 0, 1, 0};
        f.resize(128, 0);
        f[65] = static_cast<uint8_t>(planes);
        f[66] = static_cast<uint8_t>(bytesPerLine);
        for (int i = 0; i < 2 * planes * bytesPerLine; ++i) f.push_back(static_cast<uint8_t>(i));
        f.push_back(0x0C);
        for (int i = 0; i < 768; ++i) f.push_back(static_cast<uint8_t>(i / 3));
        return f;
    };
    seed("/pcx/padded", raw(1, 4));
    seed("/pcx/planes", raw(3, 4));
    int n = 0;
    for (const char* line :
         {"varp -md2 a.md2 b.pcx", "\"C:\\P F\\v.exe\" -md2 \"D:\\m m\\x.md2\" s.pcx", "v -md2",
          "v -md2Xa   b \"\" c", "-md2 -md2 -md2"}) {
        seed("/cmdline/line" + std::to_string(n++),
             std::vector<uint8_t>(line, line + strlen(line)));
    }
    return 0;
}
