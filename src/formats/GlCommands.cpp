// Strip and fan builder for the GL command list.
//
// Triangles are taken in index order. From each free triangle six runs are tried (a fan from
// start corner 0, 1, 2, then a strip from corner 0, 1, 2) and the first strictly longest kept.
// A run grows by the lowest-numbered later triangle that has the run's open edge, as a directed
// (vertex, coordinate) pair, among its corners; it stops at a triangle already taken.
#include "formats/GlCommands.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace varp {

namespace {

// A corner as the runs compare it: vertex index and coordinate index together.
using Corner = uint32_t;

Corner CornerOf(const ModelTriangle& t, int k) {
    return static_cast<uint32_t>(static_cast<uint16_t>(t.Vertex[k])) << 16 |
           static_cast<uint16_t>(t.TexCoord[k]);
}

uint64_t EdgeKey(Corner a, Corner b) {
    return static_cast<uint64_t>(a) << 32 | b;
}

// Every directed corner pair (k, k+1) of every triangle, sorted so that the first triangle
// above a given index holding a given pair is one binary search away.
struct EdgeEntry {
    uint64_t key;
    int32_t triangle;
    int32_t corner;
    bool operator<(const EdgeEntry& o) const {
        return std::tie(key, triangle, corner) < std::tie(o.key, o.triangle, o.corner);
    }
};

class RunBuilder {
  public:
    RunBuilder(const ModelTriangle* tris, int count) : tris_(tris), count_(count) {
        flags_.assign(static_cast<size_t>(count), 0);
        edges_.reserve(static_cast<size_t>(count) * 3);
        for (int j = 0; j < count; ++j) {
            for (int k = 0; k < 3; ++k) {
                edges_.push_back(
                    {EdgeKey(CornerOf(tris[j], k), CornerOf(tris[j], (k + 1) % 3)), j, k});
            }
        }
        std::sort(edges_.begin(), edges_.end());
        runVerts_.resize(static_cast<size_t>(count) + 2);
        runTris_.resize(static_cast<size_t>(count));
        bestVerts_.resize(static_cast<size_t>(count) + 2);
        bestTris_.resize(static_cast<size_t>(count));
    }

    // Writes the whole list; returns its length in words.
    void Build(const SkinCoord* coords, int skinWidth, int skinHeight, std::vector<int32_t>* out) {
        for (int i = 0; i < count_; ++i) {
            if (flags_[static_cast<size_t>(i)] != 0) continue;
            int bestLen = 0;
            bool bestIsStrip = false;
            for (int attempt = 0; attempt < 6; ++attempt) {
                const bool strip = attempt >= 3;
                const int len = Run(i, attempt % 3, strip);
                if (len > bestLen) {
                    bestLen = len;
                    bestIsStrip = strip;
                    std::copy_n(runVerts_.begin(), len + 2, bestVerts_.begin());
                    std::copy_n(runTris_.begin(), len, bestTris_.begin());
                }
            }
            for (int k = 0; k < bestLen; ++k) flags_[static_cast<size_t>(bestTris_[k])] = 1;
            out->push_back(bestIsStrip ? bestLen + 2 : -(bestLen + 2));
            for (int k = 0; k < bestLen + 2; ++k) {
                const Corner c = bestVerts_[static_cast<size_t>(k)];
                const SkinCoord st = coords[c & 0xFFFF];
                const float s = (static_cast<float>(st.s) + 0.5f) / static_cast<float>(skinWidth);
                const float t = (static_cast<float>(st.t) + 0.5f) / static_cast<float>(skinHeight);
                out->push_back(std::bit_cast<int32_t>(s));
                out->push_back(std::bit_cast<int32_t>(t));
                out->push_back(static_cast<int16_t>(c >> 16));
            }
        }
    }

  private:
    // Grows one run from triangle `start`; returns its length in triangles, with its vertices
    // in runVerts_ and its triangles in runTris_.
    int Run(int start, int c, bool strip) {
        const ModelTriangle& first = tris_[start];
        flags_[static_cast<size_t>(start)] = 2;
        runVerts_[0] = CornerOf(first, c);
        runVerts_[1] = CornerOf(first, (c + 1) % 3);
        runVerts_[2] = CornerOf(first, (c + 2) % 3);
        runTris_[0] = start;
        int len = 1;
        Corner a = strip ? runVerts_[2] : runVerts_[0];
        Corner b = strip ? runVerts_[1] : runVerts_[2];
        for (;;) {
            const EdgeEntry probe{EdgeKey(a, b), start + 1, 0};
            auto it = std::lower_bound(edges_.begin(), edges_.end(), probe);
            if (it == edges_.end() || it->key != probe.key) break;
            if (flags_[static_cast<size_t>(it->triangle)] != 0) break;
            const Corner v = CornerOf(tris_[it->triangle], (it->corner + 2) % 3);
            runVerts_[static_cast<size_t>(len) + 2] = v;
            runTris_[static_cast<size_t>(len)] = it->triangle;
            flags_[static_cast<size_t>(it->triangle)] = 2;
            if (!strip) {
                b = v;
            } else if (len % 2 == 1) {
                b = v;
            } else {
                a = v;
            }
            ++len;
        }
        for (int k = 1; k < len; ++k) flags_[static_cast<size_t>(runTris_[k])] = 0;
        return len;
    }

    const ModelTriangle* tris_;
    int count_;
    std::vector<uint8_t> flags_;
    std::vector<EdgeEntry> edges_;
    std::vector<Corner> runVerts_, bestVerts_;
    std::vector<int32_t> runTris_, bestTris_;
};

}  // namespace

std::vector<int32_t> BuildGlCommands(const ModelTriangle* triangles, int count,
                                     const SkinCoord* coords, int skinWidth, int skinHeight) {
    std::vector<int32_t> list;
    if (count > 0) {
        list.reserve(static_cast<size_t>(count) * 10);
        RunBuilder(triangles, count).Build(coords, skinWidth, skinHeight, &list);
    }
    list.push_back(0);  // the end mark
    return list;
}

std::vector<int32_t> BuildGlCommands(const Workspace& ws) {
    return BuildGlCommands(ws.Triangles, ws.NumTriangles, ws.TexCoords, ws.SkinWidth,
                           ws.SkinHeight);
}

std::string DecodeGlCommands(ByteView words, std::vector<GlRun>* runs) {
    const size_t count = words.Size() / 4;
    size_t at = 0;
    while (at < count) {
        const int32_t n = words.I32(4 * at++);
        if (n == 0) {
            return at == count ? std::string() : "words follow the end mark of its GL commands";
        }
        const int64_t vertices = n < 0 ? -int64_t{n} : int64_t{n};
        if (vertices < 3) return "a GL command run has fewer than three vertices";
        const auto run = words.Section(static_cast<int64_t>(4 * at), vertices, 12);
        if (!run) return "a GL command run passes the end of the list";
        GlRun r;
        r.Fan = n < 0;
        for (size_t v = 0; v < static_cast<size_t>(vertices); ++v) {
            const ByteView entry = run->Record(v, 12);
            r.Vertices.push_back({entry.F32(0), entry.F32(4), entry.I32(8)});
        }
        runs->push_back(std::move(r));
        at += static_cast<size_t>(vertices) * 3;
    }
    return "its GL commands have no end mark";
}

}  // namespace varp
