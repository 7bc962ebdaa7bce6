// The MD2 reader. The whole file is read and checked before the Workspace is touched, so a
// file that is refused leaves the model in use exactly as it was.
#include "formats/Md2Reader.h"

#include <algorithm>
#include <cstring>

#include "formats/FileBytes.h"
#include "formats/Md2Format.h"
#include "formats/Pcx.h"
#include "platform/Paths.h"
#include "skins/FolderScan.h"

namespace varp {

namespace {

bool SectionFits(int32_t offset, int64_t count, size_t recordSize, size_t fileSize) {
    if (count == 0) return true;
    if (offset < 0) return false;
    const uint64_t end = static_cast<uint64_t>(offset) + static_cast<uint64_t>(count) * recordSize;
    return end <= fileSize;
}

std::string Damaged(const std::string& what) {
    return "This MD2 is damaged: " + what + ".";
}

std::string SkinNameAt(const uint8_t* data, const md2::Header& h, int i) {
    const char* name = reinterpret_cast<const char*>(data + h.ofs_skins) + md2::SkinNameSize * i;
    return std::string(name, strnlen(name, md2::SkinNameSize));
}

}  // namespace

std::string CheckMd2(const uint8_t* data, size_t size) {
    char ident[5] = {};
    if (size > 0) std::memcpy(ident, data, std::min<size_t>(size, 4));
    if (std::strcmp(ident, "IDP2") != 0) return "This is not an MD2!";
    if (size < md2::HeaderSize) return Damaged("its header is cut short");
    const md2::Header h = md2::ReadHeader(data);

    if (h.num_skins < 0 || h.num_xyz < 0 || h.num_st < 0 || h.num_tris < 0 || h.num_frames < 0) {
        return Damaged("its header holds a negative count");
    }
    if (h.num_tris > MaxTriangles) {
        return "This MD2 has " + std::to_string(h.num_tris) +
               " triangles, more than the 4096 this editor can hold.";
    }
    if (h.num_st > MaxTexCoords) {
        return "This MD2 has " + std::to_string(h.num_st) +
               " skin coordinates, more than the 12288 this editor can hold.";
    }
    if (h.num_xyz > MaxVertices) {
        return "This MD2 has " + std::to_string(h.num_xyz) +
               " vertices per frame, more than the 2048 this editor can hold.";
    }
    if (h.skinwidth < 1 || h.skinheight < 1 || h.skinwidth > MaxSkinSide ||
        h.skinheight > MaxSkinSide) {
        return "This MD2 declares a skin of " + std::to_string(h.skinwidth) + " x " +
               std::to_string(h.skinheight) + " texels, which this editor cannot show.";
    }
    const int32_t frameBytes =
        static_cast<int32_t>(md2::FrameHeaderSize + md2::PackedVertexSize * h.num_xyz);
    if (h.num_frames > 0 && h.framesize != frameBytes) {
        return Damaged("its frame size does not match its vertex count");
    }
    if (!SectionFits(h.ofs_skins, h.num_skins, md2::SkinNameSize, size)) {
        return Damaged("its skin names run past the end of the file");
    }
    if (!SectionFits(h.ofs_st, h.num_st, md2::CoordSize, size)) {
        return Damaged("its skin coordinates run past the end of the file");
    }
    if (!SectionFits(h.ofs_tris, h.num_tris, md2::TriangleSize, size)) {
        return Damaged("its triangles run past the end of the file");
    }
    if (!SectionFits(h.ofs_frames, h.num_frames, static_cast<size_t>(frameBytes), size)) {
        return Damaged("its frames run past the end of the file");
    }
    for (int i = 0; i < h.num_skins; ++i) {
        const uint8_t* name = data + h.ofs_skins + md2::SkinNameSize * static_cast<size_t>(i);
        if (std::memchr(name, 0, md2::SkinNameSize) == nullptr) {
            return Damaged("skin name " + std::to_string(i + 1) + " has no end");
        }
    }
    for (int i = 0; i < h.num_tris; ++i) {
        const uint8_t* r = data + h.ofs_tris + md2::TriangleSize * static_cast<size_t>(i);
        for (int k = 0; k < 3; ++k) {
            const int vertex = md2::GetShort(r + 2 * k);
            const int coord = md2::GetShort(r + 6 + 2 * k);
            if (vertex < 0 || vertex >= h.num_xyz) {
                return Damaged("triangle " + std::to_string(i) + " uses vertex " +
                               std::to_string(vertex) + " of " + std::to_string(h.num_xyz));
            }
            if (coord < 0 || coord >= h.num_st) {
                return Damaged("triangle " + std::to_string(i) + " uses skin coordinate " +
                               std::to_string(coord) + " of " + std::to_string(h.num_st));
            }
        }
    }
    return std::string();
}

namespace {

// Reads the coordinate table, pulling any coordinate outside the skin onto its edge so that
// nothing downstream can address a texel that does not exist. Returns whether any was moved.
bool ReadCoords(App& app, const uint8_t* data, const md2::Header& h) {
    bool moved = false;
    for (int i = 0; i < h.num_st; ++i) {
        const uint8_t* r = data + h.ofs_st + md2::CoordSize * static_cast<size_t>(i);
        const int s = md2::GetShort(r), t = md2::GetShort(r + 2);
        const int cs = std::clamp(s, 0, h.skinwidth - 1), ct = std::clamp(t, 0, h.skinheight - 1);
        moved |= cs != s || ct != t;
        app.TexCoords[i] = {static_cast<int16_t>(cs), static_cast<int16_t>(ct)};
    }
    return moved;
}

void ReadTriangles(App& app, const uint8_t* data, const md2::Header& h) {
    for (int i = 0; i < h.num_tris; ++i) {
        const uint8_t* r = data + h.ofs_tris + md2::TriangleSize * static_cast<size_t>(i);
        ModelTriangle& tri = app.Triangles[i];
        tri.Flags = 0;
        for (int k = 0; k < 3; ++k) {
            tri.Vertex[k] = md2::GetShort(r + 2 * k);
            tri.TexCoord[k] = md2::GetShort(r + 6 + 2 * k);
            tri.CornerST[k] = app.TexCoords[tri.TexCoord[k]];
        }
    }
}

void ReadSkins(App& app, const uint8_t* data, const md2::Header& h, const std::string& path) {
    Platform& sys = app.Sys;
    if (h.num_skins == 0) {
        const Answer a = sys.MessageBox(
            "This MD2 has no internal skins, would you like to load from it's base folder?",
            Buttons::YesNo, Icon::Question);
        if (a == Answer::Yes) {
            const std::string systemPath = ToSystemForm(path);
            const size_t slash = systemPath.rfind('\\');
            ScanFolder(app,
                       slash == std::string::npos ? std::string() : systemPath.substr(0, slash));
        }
        return;
    }
    for (int i = 0; i < h.num_skins; ++i) {
        const std::string name = SkinNameAt(data, h, i);
        sys.ChangeDirectory(app.BaseFolder);
        std::unique_ptr<SkinImage> skin = LoadSkinFile(sys, name);
        if (!skin) {
            sys.MessageBox("External PCX does not exist....creating temporary skin.", Buttons::Ok,
                           Icon::Exclamation);
        } else if (skin->Width != app.SkinWidth || skin->Height != app.SkinHeight) {
            // The views address texels by the model's skin size: a skin of another size
            // is left on disk and a stand-in takes its place.
            sys.MessageBox("Error loading skin: Incorrect dimensions!", Buttons::Ok,
                           Icon::Exclamation);
            skin.reset();
        }
        if (!skin) {
            skin = MakeTemporarySkin(name, app.BaseFolder + "\\" + name, app.SkinWidth,
                                     app.SkinHeight);
        }
        app.Skins.push_back(std::move(skin));
    }
}

void ReadFrames(App& app, const uint8_t* data, const md2::Header& h) {
    const uint8_t* r = data + (h.num_frames > 0 ? h.ofs_frames : 0);
    for (int f = 0; f < h.num_frames; ++f) {
        auto frame = std::make_unique<ModelFrame>();
        float scale[3], translate[3];
        for (int c = 0; c < 3; ++c) {
            scale[c] = md2::GetFloat(r + 4 * c);
            translate[c] = md2::GetFloat(r + 12 + 4 * c);
        }
        const char* name = reinterpret_cast<const char*>(r + 24);
        frame->Name.assign(name, strnlen(name, md2::FrameNameSize));
        r += md2::FrameHeaderSize;
        frame->Vertices.resize(static_cast<size_t>(h.num_xyz));
        for (Vec3& v : frame->Vertices) {
            for (int c = 0; c < 3; ++c) v[c] = static_cast<float>(r[c]) * scale[c] + translate[c];
            r += md2::PackedVertexSize;
        }
        app.Frames.push_back(std::move(frame));
    }
}

}  // namespace

int LoadModel(App& app, const std::string& path) {
    Platform& sys = app.Sys;
    sys.ChangeDirectory(app.BaseFolder);
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(sys, path, &bytes, nullptr)) {
        sys.MessageBox("There was an error loading the specified file!", Buttons::Ok,
                       Icon::Exclamation);
        return 0;
    }
    const std::string problem = CheckMd2(bytes.data(), bytes.size());
    if (!problem.empty()) {
        sys.MessageBox(problem, Buttons::Ok, Icon::Exclamation);
        return 0;
    }

    // From here on the file is known to be whole: the model in use is replaced.
    const uint8_t* data = bytes.data();
    const md2::Header h = md2::ReadHeader(data);
    app.NumTexCoords = static_cast<int16_t>(h.num_st);
    app.NumVertices = static_cast<int16_t>(h.num_xyz);
    app.NumTriangles = static_cast<int16_t>(h.num_tris);
    app.SkinWidth = static_cast<int16_t>(h.skinwidth);
    app.SkinHeight = static_cast<int16_t>(h.skinheight);
    const bool moved = ReadCoords(app, data, h);
    ReadTriangles(app, data, h);
    app.RebuildTexCoords();

    app.Frames.clear();
    app.Skins.clear();
    app.SelectFrame(-1);
    app.SelectSkin(-1);
    if (moved) {
        sys.MessageBox(
            "Some skin coordinates of this MD2 lay outside its skin and were moved to "
            "its edge.",
            Buttons::Ok, Icon::Exclamation);
    }
    ReadSkins(app, data, h, path);
    app.SelectSkin(app.Skins.empty() ? -1 : 0);
    ReadFrames(app, data, h);
    app.SelectFrame(0);
    app.ModelFileImage = std::move(bytes);
    app.ModelLoaded = 1;
    return 1;
}

}  // namespace varp
