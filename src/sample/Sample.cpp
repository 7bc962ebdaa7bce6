// The demo model, skins and base folder.
#include "sample/Sample.h"

#include <filesystem>
#include <fstream>

#include "formats/Pcx.h"
#include "sample/Animation.h"
#include "sample/Body.h"
#include "sample/Palette.h"
#include "sample/SkinLayout.h"
#include "sample/SkinPainter.h"

namespace varp::sample {

std::vector<uint8_t> SampleModelBytes() {
    const Mesh mesh = BuildBody();
    return PackMd2(mesh, SampleFrames(mesh), {"models/demo/skin.pcx", "models/demo/skin2.pcx"},
                   layout::SkinSide, layout::SkinSide);
}

std::vector<uint8_t> SampleSkinBytes(int which) {
    const std::array<uint8_t, 768> palette = SamplePalette();
    const Canvas skin =
        which == 4 ? HalfSize(PaintSkin(SchemeFor(0))) : PaintSkin(SchemeFor(which));
    return EncodePcx(skin.Pixels().data(), skin.Side(), skin.Side(), palette.data());
}

namespace {

int WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes,
              std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    if (out) out.close();
    if (!out) {
        if (error != nullptr) *error = "Cannot write " + path.string() + ".";
        return 0;
    }
    return 1;
}

}  // namespace

int WriteSampleBaseFolder(const std::string& dir, std::string* error) {
    namespace fs = std::filesystem;
    const fs::path demo = fs::path(dir) / "models" / "demo";
    std::error_code ec;
    fs::create_directories(demo / "extras", ec);
    if (ec) {
        if (error != nullptr) {
            *error = "Cannot create " + (demo / "extras").string() + ": " + ec.message() + ".";
        }
        return 0;
    }
    return WriteFile(demo / "tris.md2", SampleModelBytes(), error) &&
                   WriteFile(demo / "skin.pcx", SampleSkinBytes(0), error) &&
                   WriteFile(demo / "skin2.pcx", SampleSkinBytes(1), error) &&
                   WriteFile(demo / "extras" / "blue.pcx", SampleSkinBytes(2), error) &&
                   WriteFile(demo / "extras" / "gold.pcx", SampleSkinBytes(3), error) &&
                   WriteFile(demo / "extras" / "small.pcx", SampleSkinBytes(4), error)
               ? 1
               : 0;
}

}  // namespace varp::sample
