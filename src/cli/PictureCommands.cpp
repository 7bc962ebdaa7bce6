// varp-tool import, export and template: the picture commands of the editor, in batch.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "app/App.h"
#include "app/FileBytes.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "commands/ModelFiles.h"
#include "desktop/QtImageCodec.h"
#include "formats/Pcx.h"
#include "images/Pictures.h"
#include "images/SkinImport.h"
#include "images/UvTemplate.h"
#include "platform/ConsolePlatform.h"
#include "skins/PictureFiles.h"
#include "skins/SkinFiles.h"

namespace varp::cli {

namespace {

const char* const Usage =
    "usage: varp-tool import IN OUT.pcx --palette FROM.pcx [--dither] [--protect I,J,...] "
    "[--size WxH]\n"
    "       varp-tool export IN.pcx OUT.png|OUT.tga [--scale N] [--indexed]\n"
    "       varp-tool template [--base DIR] MODEL.md2 OUT.png [--scale N] [--skin K]\n";

int Fail(const std::string& why) {
    std::fprintf(stderr, "varp-tool: %s\n%s", why.c_str(), Usage);
    return 2;
}

int Refused(const std::string& why) {
    std::fprintf(stderr, "varp-tool: %s\n", why.c_str());
    return 1;
}

// A skin file that could not be read: its name, and the reader's reason when it gave one.
int Unreadable(const std::string& what, const std::string& problem) {
    return Refused("cannot read " + what + (problem.empty() ? "" : ": " + problem));
}

// A whole number from first to last, or -1.
int NumberIn(const std::string& text, int first, int last) {
    int value = 0;
    char extra;
    if (std::sscanf(text.c_str(), "%d%c", &value, &extra) != 1 || value < first || value > last)
        return -1;
    return value;
}

// --scale N, 1 to 8 (1 when absent); 0 when it is no such number.
int ScaleOf(const Args& args) {
    const std::string* s = args.Option("scale");
    return s == nullptr ? 1 : std::max(NumberIn(*s, 1, 8), 0);
}

bool EndsWith(const std::string& text, const char* tail) {
    const std::string t(tail);
    if (text.size() < t.size()) return false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - t.size() + i])) != t[i])
            return false;
    }
    return true;
}

// A file named on the command line, as an absolute path in the system's form.
std::string PathOf(const std::string& word) {
    Args named;
    named.options["base"] = word;
    return BaseFolderOf(named);
}

// The platform of the picture commands: the console's, with Qt's codec.
struct PictureTool {
    qt::QtImageCodec codec;
    ConsolePlatform sys{Answer::No};
    PictureTool() { sys.SetImages(&codec); }
};

}  // namespace

int ImportCommand(int argc, char** argv) {
    const Args args = ParseArgs(argc, argv, 2, {"palette", "protect", "size"}, {"dither"});
    if (!args.error.empty()) return Fail(args.error);
    const std::string* from = args.Option("palette");
    if (args.positional.size() != 2 || from == nullptr) return Fail("missing arguments");
    int32_t locks[256] = {};
    if (const std::string* list = args.Option("protect")) {
        size_t start = 0;
        while (start <= list->size()) {
            const size_t comma = std::min(list->find(',', start), list->size());
            const int index = NumberIn(list->substr(start, comma - start), 0, 255);
            if (index < 0) return Fail("--protect takes palette indices 0 to 255, with commas");
            locks[index] = 1;
            start = comma + 1;
        }
    }
    int width = 0, height = 0;
    if (const std::string* size = args.Option("size")) {
        char extra;
        if (std::sscanf(size->c_str(), "%dx%d%c", &width, &height, &extra) != 2 || width < 1 ||
            height < 1 || width > MaxPictureSide || height > MaxPictureSide) {
            return Fail("--size must be WxH, each 1 to " + std::to_string(MaxPictureSide));
        }
    }
    PictureTool tool;
    std::string problem;
    const std::unique_ptr<SkinImage> source = LoadSkinFile(tool.sys, *from, &problem);
    if (!source) return Unreadable("the palette of " + *from, problem);
    const std::array<bool, 256> allowed = UnprotectedColours(locks);
    if (std::find(allowed.begin(), allowed.end(), true) == allowed.end())
        return Refused("every colour is protected");
    RgbaPicture picture;
    if (!ReadPicture(tool.sys, args.positional[0], &picture, &problem)) return Refused(problem);
    if (width != 0 && (width != picture.Width || height != picture.Height))
        picture = ScaleNearest(picture, width, height);
    ImportOptions options;
    options.Dither = args.Has("dither");
    // A palette file of the picture's size is the skin the picture goes into, as Skins > Import
    // Image has it: its protected texels and those the picture leaves in their colour stay.
    const bool into = source->Width == picture.Width && source->Height == picture.Height;
    const std::vector<uint8_t> texels = ImportPicture(picture, source->Palette.data(), locks,
                                                      into ? &source->Pixels : nullptr, options);
    const std::vector<uint8_t> pcx =
        EncodePcx(texels.data(), picture.Width, picture.Height, source->Palette.data());
    return WriteWholeFile(tool.sys, args.positional[1], pcx) ? 0 : 1;
}

int ExportCommand(int argc, char** argv) {
    const Args args = ParseArgs(argc, argv, 2, {"scale"}, {"indexed"});
    if (!args.error.empty()) return Fail(args.error);
    if (args.positional.size() != 2) return Fail("missing arguments");
    const std::string& out = args.positional[1];
    const int scale = ScaleOf(args);
    if (scale == 0) return Fail("--scale must be 1 to 8");
    PictureKind kind = PictureKind::Png;
    if (EndsWith(out, ".tga")) {
        if (args.Has("indexed")) return Fail("TGA files are written in 32 bits only");
        kind = PictureKind::Tga;
    } else if (EndsWith(out, ".png")) {
        if (args.Has("indexed")) kind = PictureKind::IndexedPng;
    } else {
        return Fail("the picture's name must end in .png or .tga");
    }
    PictureTool tool;
    std::string problem;
    const std::unique_ptr<SkinImage> skin = LoadSkinFile(tool.sys, args.positional[0], &problem);
    if (!skin) return Unreadable(args.positional[0], problem);
    if (!WriteSkinPicture(tool.sys, *skin, out, kind, scale, &problem))
        return Refused("cannot write " + out + ": " + problem);
    return 0;
}

int TemplateCommand(int argc, char** argv) {
    const Args args = ParseArgs(argc, argv, 2, {"base", "scale", "skin"}, {});
    if (!args.error.empty()) return Fail(args.error);
    if (args.positional.size() != 2) return Fail("missing arguments");
    const int scale = ScaleOf(args);
    if (scale == 0) return Fail("--scale must be 1 to 8");
    PictureTool tool;
    auto app = std::make_unique<App>(tool.sys);
    app->BaseFolder = BaseFolderOf(args);
    // The output is named from the shell's folder, before the reader moves to the base folder.
    const std::string out = PathOf(args.positional[1]);
    if (!LoadModel(*app, ModelPathOf(args.positional[0]))) return 1;
    const SkinImage* skin = nullptr;
    if (const std::string* k = args.Option("skin")) {
        const int index = NumberIn(*k, 0, static_cast<int>(app->Skins.size()) - 1);
        if (index < 0) return Fail("no skin " + *k);
        skin = app->Skins[static_cast<size_t>(index)].get();
    }
    if (app->SkinWidth < 1 || app->SkinHeight < 1 || app->SkinWidth * scale > MaxTemplateSide ||
        app->SkinHeight * scale > MaxTemplateSide) {
        return Refused("the model's skin size makes no template at that scale");
    }
    std::string problem;
    if (!WritePicture(tool.sys, out, DrawUvTemplate(*app, skin, scale), PictureKind::Png,
                      &problem)) {
        return Refused("cannot write " + out + ": " + problem);
    }
    return 0;
}

}  // namespace varp::cli
