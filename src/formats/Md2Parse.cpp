// The MD2 parse. Every section is taken as a checked view before anything is read from it, and
// every record and field through that view, so a section that does not fit is refused and no
// read can pass the end of the file.
#include "formats/Md2Parse.h"

#include <algorithm>

namespace varp {

namespace {

std::string Damaged(const std::string& what) {
    return "This MD2 is damaged: " + what + ".";
}

std::string CheckCounts(const md2::Header& h) {
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
    const auto frameBytes = static_cast<int32_t>(
        md2::FrameHeaderSize + md2::PackedVertexSize * static_cast<size_t>(h.num_xyz));
    if (h.num_frames > 0 && h.framesize != frameBytes) {
        return Damaged("its frame size does not match its vertex count");
    }
    return std::string();
}

// The four sections, each a view that lies wholly inside the file.
struct Sections {
    ByteView skins, coords, triangles, frames;
};

std::string TakeSections(ByteView file, const md2::Header& h, Sections* s) {
    const auto skins = file.Section(h.ofs_skins, h.num_skins, md2::SkinNameSize);
    if (!skins) return Damaged("its skin names run past the end of the file");
    const auto coords = file.Section(h.ofs_st, h.num_st, md2::CoordSize);
    if (!coords) return Damaged("its skin coordinates run past the end of the file");
    const auto triangles = file.Section(h.ofs_tris, h.num_tris, md2::TriangleSize);
    if (!triangles) return Damaged("its triangles run past the end of the file");
    const auto frames = file.Section(h.ofs_frames, h.num_frames, static_cast<size_t>(h.framesize));
    if (!frames) return Damaged("its frames run past the end of the file");
    *s = {*skins, *coords, *triangles, *frames};
    return std::string();
}

std::string ReadSkinNames(ByteView skins, int count, std::vector<std::string>* names) {
    for (int i = 0; i < count; ++i) {
        const ByteView field = skins.Record(static_cast<size_t>(i), md2::SkinNameSize);
        if (!field.HasNul(0, md2::SkinNameSize)) {
            return Damaged("skin name " + std::to_string(i + 1) + " has no end");
        }
        names->push_back(field.Text(0, md2::SkinNameSize));
    }
    return std::string();
}

// Pulls any coordinate outside the skin onto its edge, so that nothing downstream can address a
// texel that does not exist.
void ReadCoords(ByteView coords, const md2::Header& h, Md2Model* m) {
    m->TexCoords.resize(static_cast<size_t>(h.num_st));
    for (size_t i = 0; i < m->TexCoords.size(); ++i) {
        const ByteView r = coords.Record(i, md2::CoordSize);
        const int s = r.I16(0), t = r.I16(2);
        const int cs = std::clamp(s, 0, h.skinwidth - 1), ct = std::clamp(t, 0, h.skinheight - 1);
        m->CoordsMoved |= cs != s || ct != t;
        m->TexCoords[i] = {static_cast<int16_t>(cs), static_cast<int16_t>(ct)};
    }
}

std::string ReadTriangles(ByteView triangles, const md2::Header& h, Md2Model* m) {
    m->Triangles.resize(static_cast<size_t>(h.num_tris));
    for (size_t i = 0; i < m->Triangles.size(); ++i) {
        const ByteView r = triangles.Record(i, md2::TriangleSize);
        ModelTriangle& tri = m->Triangles[i];
        for (size_t k = 0; k < 3; ++k) {
            const int vertex = r.I16(2 * k);
            const int coord = r.I16(6 + 2 * k);
            if (vertex < 0 || vertex >= h.num_xyz) {
                return Damaged("triangle " + std::to_string(i) + " uses vertex " +
                               std::to_string(vertex) + " of " + std::to_string(h.num_xyz));
            }
            if (coord < 0 || coord >= h.num_st) {
                return Damaged("triangle " + std::to_string(i) + " uses skin coordinate " +
                               std::to_string(coord) + " of " + std::to_string(h.num_st));
            }
            tri.Vertex[k] = static_cast<int16_t>(vertex);
            tri.TexCoord[k] = static_cast<int16_t>(coord);
            tri.CornerST[k] = m->TexCoords[static_cast<size_t>(coord)];
        }
    }
    return std::string();
}

void ReadFrames(ByteView frames, const md2::Header& h, Md2Model* m) {
    for (int f = 0; f < h.num_frames; ++f) {
        const ByteView r = frames.Record(static_cast<size_t>(f), static_cast<size_t>(h.framesize));
        auto frame = std::make_unique<ModelFrame>();
        float scale[3], translate[3];
        for (size_t c = 0; c < 3; ++c) {
            scale[c] = r.F32(4 * c);
            translate[c] = r.F32(12 + 4 * c);
        }
        frame->Name = r.Text(24, md2::FrameNameSize);
        frame->Vertices.resize(static_cast<size_t>(h.num_xyz));
        for (size_t i = 0; i < frame->Vertices.size(); ++i) {
            const size_t at = md2::FrameHeaderSize + md2::PackedVertexSize * i;
            for (size_t c = 0; c < 3; ++c) {
                frame->Vertices[i][c] = static_cast<float>(r.U8(at + c)) * scale[c] + translate[c];
            }
        }
        m->Frames.push_back(std::move(frame));
    }
}

}  // namespace

std::string ParseMd2(std::vector<uint8_t> bytes, Md2Model* model) {
    const ByteView file(bytes);
    char ident[5] = {};
    for (size_t i = 0; i < 4; ++i) ident[i] = static_cast<char>(file.U8(i));
    if (std::string(ident) != "IDP2") return "This is not an MD2!";
    if (file.Size() < md2::HeaderSize) return Damaged("its header is cut short");
    const md2::Header h = md2::ReadHeader(file);

    std::string problem = CheckCounts(h);
    Sections s;
    if (problem.empty()) problem = TakeSections(file, h, &s);
    Md2Model m;
    if (problem.empty()) problem = ReadSkinNames(s.skins, h.num_skins, &m.SkinNames);
    if (problem.empty()) {
        ReadCoords(s.coords, h, &m);
        problem = ReadTriangles(s.triangles, h, &m);
    }
    if (!problem.empty()) return problem;
    ReadFrames(s.frames, h, &m);
    m.Header = h;
    m.SkinWidth = static_cast<int16_t>(h.skinwidth);
    m.SkinHeight = static_cast<int16_t>(h.skinheight);
    m.NumVertices = static_cast<int16_t>(h.num_xyz);
    m.FileImage = std::move(bytes);
    *model = std::move(m);
    return std::string();
}

}  // namespace varp
