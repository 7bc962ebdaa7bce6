// varp-tool info: what the editor makes of a model file, header and Workspace, as text or JSON.
#include <cstdio>
#include <memory>

#include "app/App.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "commands/ModelFiles.h"
#include "formats/GlCommands.h"
#include "formats/Md2Format.h"
#include "platform/ConsolePlatform.h"

namespace varp::cli {

namespace {

// What the file's own GL command list holds: strips and fans, or what is wrong with it. The
// editor rebuilds the list when it writes a model, so this only reports on the file read.
struct GlSummary {
    int strips = 0;
    int fans = 0;
    std::string problem;
};

GlSummary SummariseGlCommands(const App& app) {
    const ByteView image(app.ModelFileImage);
    const md2::Header h = md2::ReadHeader(image);
    GlSummary summary;
    std::vector<GlRun> runs;
    const auto words = image.Section(h.ofs_glcmds, h.num_glcmds, 4);
    summary.problem =
        words ? DecodeGlCommands(*words, &runs) : "its GL commands run past the end of the file";
    for (const GlRun& run : runs) ++(run.Fan ? summary.fans : summary.strips);
    return summary;
}

void WriteJson(const App& app, const ConsolePlatform& sys, bool loaded) {
    JsonWriter j;
    j.BeginObject();
    j.Number("ModelLoaded", loaded ? 1 : 0);
    if (loaded) {
        const md2::Header h = md2::ReadHeader(ByteView(app.ModelFileImage));
        j.BeginObject("header");
        j.String("ident", h.ident);
        const std::pair<const char*, int32_t> fields[] = {
            {"version", h.version},       {"skinwidth", h.skinwidth},
            {"skinheight", h.skinheight}, {"framesize", h.framesize},
            {"num_skins", h.num_skins},   {"num_xyz", h.num_xyz},
            {"num_st", h.num_st},         {"num_tris", h.num_tris},
            {"num_glcmds", h.num_glcmds}, {"num_frames", h.num_frames},
            {"ofs_skins", h.ofs_skins},   {"ofs_st", h.ofs_st},
            {"ofs_tris", h.ofs_tris},     {"ofs_frames", h.ofs_frames},
            {"ofs_glcmds", h.ofs_glcmds}, {"ofs_end", h.ofs_end}};
        for (const auto& [key, value] : fields) j.Number(key, value);
        j.EndObject();
        const GlSummary gl = SummariseGlCommands(app);
        j.BeginObject("GlCommands");
        j.Number("strips", gl.strips);
        j.Number("fans", gl.fans);
        j.String("problem", gl.problem);
        j.EndObject();
        j.Number("NumTriangles", app.NumTriangles);
        j.Number("NumVertices", app.NumVertices);
        j.Number("NumTexCoords", app.NumTexCoords);
        j.Number("SkinWidth", app.SkinWidth);
        j.Number("SkinHeight", app.SkinHeight);
        j.Number("CurrentSkinIndex", app.CurrentSkinIndex);
        j.BeginArray("Skins");
        for (const auto& skin : app.Skins) {
            j.BeginObject();
            j.String("Name", skin->Name);
            j.String("Path", skin->Path);
            j.Number("OnDisk", skin->OnDisk);
            j.Number("Unlinked", (skin->Flags & Unlinked) ? 1 : 0);
            j.Number("Width", skin->Width);
            j.Number("Height", skin->Height);
            j.EndObject();
        }
        j.EndArray();
        j.Number("FrameCount", static_cast<long long>(app.Frames.size()));
        j.BeginArray("Frames");
        for (const auto& frame : app.Frames) j.String(frame->Name);
        j.EndArray();
    }
    j.BeginArray("Messages");
    for (const std::string& m : sys.Messages()) j.String(m);
    j.EndArray();
    j.EndObject();
    std::fputs(j.Text().c_str(), stdout);
}

void WriteText(const App& app) {
    const md2::Header h = md2::ReadHeader(ByteView(app.ModelFileImage));
    std::printf("header: ident %s, version %d, skin %d x %d, framesize %d\n", h.ident, h.version,
                h.skinwidth, h.skinheight, h.framesize);
    std::printf(
        "header counts: skins %d, vertices %d, coordinates %d, triangles %d, glcmds %d, "
        "frames %d\n",
        h.num_skins, h.num_xyz, h.num_st, h.num_tris, h.num_glcmds, h.num_frames);
    const GlSummary gl = SummariseGlCommands(app);
    if (gl.problem.empty()) {
        std::printf("GL commands: %d strips, %d fans\n", gl.strips, gl.fans);
    } else {
        std::printf("GL commands: %s\n", gl.problem.c_str());
    }
    std::printf("NumTriangles %d, NumVertices %d, NumTexCoords %d, SkinWidth %d, SkinHeight %d\n",
                app.NumTriangles, app.NumVertices, app.NumTexCoords, app.SkinWidth, app.SkinHeight);
    for (size_t i = 0; i < app.Skins.size(); ++i) {
        const SkinImage& s = *app.Skins[i];
        std::printf("skin %zu: %s%s (%s)%s\n", i, (s.Flags & Unlinked) ? "* " : "  ",
                    s.Name.c_str(), s.Path.c_str(), s.OnDisk ? "" : " [not on disk]");
    }
    std::printf("frames %zu:", app.Frames.size());
    for (const auto& f : app.Frames) std::printf(" %s", f->Name.c_str());
    std::printf("\n");
}

}  // namespace

int InfoCommand(int argc, char** argv) {
    const Args args = ParseArgs(argc, argv, 2, {"base"}, {"json", "yes", "no"});
    if (!args.error.empty() || args.positional.size() != 1) {
        std::fprintf(stderr,
                     "usage: varp-tool info [--json] [--base DIR] [--yes|--no] MODEL.md2\n");
        return 2;
    }
    ConsolePlatform sys(args.Has("yes") ? Answer::Yes : Answer::No);
    auto app = std::make_unique<App>(sys);
    app->BaseFolder = BaseFolderOf(args);
    const bool loaded = LoadModel(*app, ModelPathOf(args.positional[0])) == 1;
    if (args.Has("json")) {
        WriteJson(*app, sys, loaded);
    } else if (loaded) {
        WriteText(*app);
    }
    return loaded ? 0 : 1;
}

}  // namespace varp::cli
