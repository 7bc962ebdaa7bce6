// A slow, literal model of the fillers and line drawers: whole records as vectors, the full
// table reset per polygon, one branch per filler at every pixel.
#include "RasterReference.h"

#include <algorithm>
#include <climits>

namespace varp::test {

namespace {

using Record = std::vector<int32_t>;  // x, y, then the attributes

int32_t Wrap(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

Record Mean(const Record& a, const Record& b) {
    Record m(a.size());
    for (size_t k = 0; k < a.size(); ++k) m[k] = Wrap(int64_t{a[k]} + b[k]) >> 1;
    return m;
}

Record Bisect(Record l, Record u, size_t axis, int32_t bound) {
    if (u[axis] == bound) return u;
    while (true) {
        Record m = Mean(l, u);
        if (m[axis] == bound) return m;
        if (m[axis] < bound)
            l = m;
        else
            u = m;
    }
}

// Returns false when the edge lies wholly outside lo..hi; `startMoved` tells whether a changed.
bool Clip(Record& a, Record& b, size_t axis, int32_t lo, int32_t hi, bool& startMoved) {
    const bool aIsLower = a[axis] < b[axis];
    Record lower = aIsLower ? a : b, upper = aIsLower ? b : a;
    if (lower[axis] > hi || upper[axis] < lo) return false;
    bool lowerMoved = false, upperMoved = false;
    if (lower[axis] <= lo) {
        lower = Bisect(lower, upper, axis, lo);
        lowerMoved = true;
    }
    if (upper[axis] >= hi) {
        upper = Bisect(lower, upper, axis, hi);
        upperMoved = true;
    }
    startMoved = aIsLower ? lowerMoved : upperMoved;
    a = aIsLower ? lower : upper;
    b = aIsLower ? upper : lower;
    return true;
}

struct Table {
    std::vector<int32_t> MinX, MaxX;
    std::vector<Record> Left, Right;
    int32_t Top = INT_MAX, Bottom = INT_MIN;
};

void Walk(Table& t, const Record& a, const Record& b) {
    t.Top = std::min({t.Top, a[1], b[1]});
    t.Bottom = std::max({t.Bottom, a[1], b[1]});
    int32_t dx = b[0] - a[0], dy = b[1] - a[1];
    const int32_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    dx = std::abs(dx);
    dy = std::abs(dy);
    const bool xLong = dx > dy;
    const int32_t longLen = xLong ? dx : dy, shortLen = xLong ? dy : dx;
    Record step(a.size(), 0);
    for (size_t k = 2; k < a.size() && longLen > 0; ++k)
        step[k] = Wrap(int64_t{b[k]} - a[k]) / longLen;
    int32_t error = 2 * shortLen - longLen;
    Record p = a;
    for (int32_t i = 0; i <= longLen; ++i) {
        const int32_t x = p[0], y = p[1];
        if (x < t.MinX[y]) t.MinX[y] = x, t.Left[y] = p;
        if (x > t.MaxX[y]) t.MaxX[y] = x, t.Right[y] = p;
        if (error >= 0) {
            p[0] += sx, p[1] += sy;
            error += 2 * (shortLen - longLen);
        } else {
            (xLong ? p[0] : p[1]) += xLong ? sx : sy;
            error += 2 * shortLen;
        }
        for (size_t k = 2; k < p.size(); ++k) p[k] = Wrap(int64_t{p[k]} + step[k]);
    }
}

}  // namespace

void ReferenceFill(Buffers& buf, const RasterTarget& t, Filler filler,
                   const std::vector<Corner>& polygon, const std::vector<uint8_t>& texture,
                   int32_t texturePitch, uint32_t id) {
    const bool depth = UsesDepth(filler);
    std::vector<Record> v;
    for (const Corner& c : polygon) {
        Record r(c.begin(), c.begin() + (depth ? 5 : 4));
        if (depth)
            r[2] = Wrap(int64_t{r[2]} * 16), r[3] = Wrap(int64_t{r[3]} * 16),
            r[4] = Wrap(int64_t{r[4]} * 1024);
        v.push_back(r);
    }
    v.push_back(v.front());

    Table table;
    table.MinX.assign(size_t(t.Rows), INT_MAX);
    table.MaxX.assign(size_t(t.Rows), INT_MIN);
    table.Left.resize(size_t(t.Rows));
    table.Right.resize(size_t(t.Rows));

    std::vector<Record> outline;
    for (size_t i = 0; i + 1 < v.size(); ++i) {
        Record a = v[i], b = v[i + 1];
        bool moved = false;
        if (!Clip(a, b, 0, t.ClipLeft, t.ClipRight, moved)) continue;
        if (moved) outline.push_back(a);
        outline.push_back(b);
    }
    if (outline.empty()) return;
    outline.push_back(outline.front());
    for (size_t i = 0; i + 1 < outline.size(); ++i) {
        Record a = outline[i], b = outline[i + 1];
        bool moved = false;
        if (Clip(a, b, 1, t.ClipTop, t.ClipBottom, moved)) Walk(table, a, b);
    }

    for (int32_t r = table.Top; r <= table.Bottom; ++r) {
        const int32_t x0 = table.MinX[size_t(r)], x1 = table.MaxX[size_t(r)];
        if (x0 > x1) continue;
        const Record& left = table.Left[size_t(r)];
        const Record& right = table.Right[size_t(r)];
        const int32_t count = x1 - x0 + 1;
        int32_t u = left[2], vv = left[3], z = depth ? left[4] >> 16 : 0, du = 0, dv = 0, dz = 0;
        if (x0 < x1) {
            du = (right[2] - left[2]) / count;
            dv = (right[3] - left[3]) / count;
            if (depth) dz = int16_t((right[4] >> 16) - (left[4] >> 16)) / count;
        }
        for (int32_t x = x0; x <= x1; ++x) {
            const size_t at = buf.At(x, r);
            const int32_t offset = (vv >> 10) * texturePitch + (u >> 10);
            const bool pass = !depth || int16_t(z & 0xFFFF) < int32_t{buf.Depth[at]};
            if (pass) {
                if (depth) buf.Depth[at] = uint16_t(z & 0xFFFF);
                buf.Colour[at] = texture.at(size_t(offset));
                if (filler == Filler::Pick || filler == Filler::DepthPick)
                    buf.Pick[at] = uint32_t(offset);
                if (filler == Filler::DepthId) buf.Pick[at] = id;
            }
            u += du, vv += dv, z += dz;
        }
    }
}

void FastFill(const RasterTarget& target, Filler filler, const std::vector<Corner>& polygon,
              const std::vector<uint8_t>& texture, int32_t texturePitch, uint32_t id) {
    const int32_t n = int32_t(polygon.size());
    if (!UsesDepth(filler)) {
        std::vector<TexVertex> v;
        for (const Corner& c : polygon) v.push_back({c[0], c[1], c[2], c[3]});
        v.push_back(v.front());
        if (filler == Filler::Colour)
            DrawTexturedPolygon(target, v.data(), n, texture.data(), texturePitch);
        else
            DrawTexturedPolygonPick(target, v.data(), n, texture.data(), texturePitch);
        return;
    }
    std::vector<TexDepthVertex> v;
    for (const Corner& c : polygon) v.push_back({c[0], c[1], c[2], c[3], c[4]});
    v.push_back(v.front());
    if (filler == Filler::Depth)
        DrawTexturedPolygonDepth(target, v.data(), n, texture.data(), texturePitch);
    else if (filler == Filler::DepthPick)
        DrawTexturedPolygonDepthPick(target, v.data(), n, texture.data(), texturePitch);
    else
        DrawTexturedPolygonDepthId(target, v.data(), n, texture.data(), texturePitch, id);
}

std::vector<std::pair<int32_t, int32_t>> ReferenceLinePixels(const int32_t line[4]) {
    int32_t sx = line[0], sy = line[1], ex = line[2], ey = line[3];
    if (ey < sy) std::swap(sx, ex), std::swap(sy, ey);
    std::vector<std::pair<int32_t, int32_t>> px{{sx, sy}};
    int32_t dx = int16_t(ex - sx), dy = int16_t(ey - sy), xdir = 1;
    if (dx < 0) xdir = -1, dx = -dx;
    int32_t x = sx, y = sy;
    if (dy == 0 || dx == 0 || dx == dy) {
        for (int32_t k = 0; k < std::max(dx, dy); ++k) {
            if (dx != 0) x += xdir;
            if (dy != 0) y += 1;
            px.push_back({x, y});
        }
        return px;
    }
    const bool yLong = dy > dx;
    const uint32_t adj = (uint32_t(yLong ? dx : dy) * 65536u) / uint32_t(yLong ? dy : dx);
    uint32_t acc = 0;
    for (int32_t k = 0; k < (yLong ? dy : dx) - 1; ++k) {
        const uint32_t old = acc;
        acc = (acc + adj) % 65536u;
        const bool wrapped = acc <= old;
        if (yLong)
            x += wrapped ? xdir : 0, y += 1;
        else
            y += wrapped ? 1 : 0, x += xdir;
        px.push_back({x, y});
    }
    px.push_back({ex, ey});
    return px;
}

}  // namespace varp::test
