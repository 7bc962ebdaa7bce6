// Strip and fan builder for the GL command list.
//
// Triangles are taken in index order. From each free triangle six runs are tried (a fan from
// start corner 0, 1, 2, then a strip from corner 0, 1, 2) and the first strictly longest kept.
// A run grows by the lowest-numbered later triangle that has the run's open edge, as a directed
// (vertex, coordinate) pair, among its corners; it stops at a triangle already taken.
#include "formats/GlCommands.h"

#include <algorithm>
#include <cstring>
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
    int Build(const SkinCoord* coords, int skinWidth, int skinHeight, int32_t* out) {
        int words = 0;
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
            out[words++] = bestIsStrip ? bestLen + 2 : -(bestLen + 2);
            for (int k = 0; k < bestLen + 2; ++k) {
                const Corner c = bestVerts_[static_cast<size_t>(k)];
                const SkinCoord st = coords[c & 0xFFFF];
                const float s = (static_cast<float>(st.s) + 0.5f) / static_cast<float>(skinWidth);
                const float t = (static_cast<float>(st.t) + 0.5f) / static_cast<float>(skinHeight);
                std::memcpy(&out[words++], &s, 4);
                std::memcpy(&out[words++], &t, 4);
                out[words++] = static_cast<int16_t>(c >> 16);
            }
        }
        out[words++] = 0;
        return words;
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

int BuildGlCommands(const ModelTriangle* triangles, int count, const SkinCoord* coords,
                    int skinWidth, int skinHeight, int32_t* out) {
    if (count <= 0) {
        out[0] = 0;
        return 1;
    }
    RunBuilder builder(triangles, count);
    return builder.Build(coords, skinWidth, skinHeight, out);
}

int BuildGlCommands(const Workspace& ws, int32_t* out) {
    return BuildGlCommands(ws.Triangles, ws.NumTriangles, ws.TexCoords, ws.SkinWidth, ws.SkinHeight,
                           out);
}

}  // namespace varp
