// The 3D view's clear and draw split into bands of rows, one band at a time on each of the pane's
// threads. A band clears its rows and draws every triangle (and outline) into them alone; a
// pixel sees the same writes in the same order as in one whole draw, so the picture, depths and
// picks do not depend on the bands.
#include <algorithm>
#include <cstddef>

#include "views/Blit.h"
#include "views/iso/IsoBox.h"

namespace varp {

namespace {
// Bands are several per thread, so that a thread the system holds back leaves the others work,
// and a band is no thinner than this: each band steps through every triangle that reaches it.
constexpr int32_t BandsPerThread = 4;
constexpr int32_t MinBandRows = 32;
}  // namespace

struct IsoBox::BandJob {
    IsoBox* Box;
    Kind DrawKind;
    RasterTarget Target;  // the whole buffers
    bool ClearColour;
    bool ClearPick;
    const ViewSetup* Setup;  // nullptr: the clear alone
    const SkinImage* Skin;
    int32_t Bands;
};

void IsoBox::DrawInBands(Kind kind, const RasterTarget& target, bool clearColour,
                         const ViewSetup* setup, const SkinImage* skin) {
    int32_t bands = std::min(bandsWanted_, BandPool::MaxBands);
    if (bands <= 0) {
        const int32_t threads = bandPool_.Threads();
        bands =
            threads == 1 ? 1 : std::clamp(target.Rows / MinBandRows, 1, threads * BandsPerThread);
    }
    if (setup != nullptr) ProjectCorners(*setup);
    BandJob job{this, kind, target, clearColour, kind != Kind::Quick, setup, skin, bands};
    bandPool_.Run(bands, DrawBand, &job);
}

void IsoBox::DrawBand(void* context, int32_t band, int32_t worker) {
    const BandJob& job = *static_cast<const BandJob*>(context);
    IsoBox& box = *job.Box;
    RasterTarget target = job.Target;
    target.BandTop = band * target.Rows / job.Bands;
    target.BandBottom = (band + 1) * target.Rows / job.Bands - 1;
    target.Edges = &box.bandEdges_[static_cast<size_t>(worker)];

    // 32-bit word fills; the width is a multiple of 4, so they cover the rows exactly.
    const ptrdiff_t first = ptrdiff_t{target.BandTop} * target.Pitch;
    const int32_t count = (target.BandBottom - target.BandTop + 1) * target.Pitch;
    FillWords(reinterpret_cast<uint32_t*>(target.Depth + first), count / 2, 0xFFFFFFFFu);
    if (job.ClearColour) {
        FillWords(reinterpret_cast<uint32_t*>(target.Colour + first), count / 4,
                  box.app_.BackgroundColour * 0x01010101u);
    }
    if (job.ClearPick) FillWords(target.Pick + first, count, NoPick);

    if (job.Setup == nullptr) return;
    box.DrawTriangles(job.DrawKind, target, *job.Skin);
    if (job.DrawKind == Kind::Mapping) box.DrawOutlines(*job.Setup, target);
}

struct IsoBox::BlitJob {
    const IsoBox* Box;
    const uint32_t* Table;
    int Left, Top, Width, Height;
    uint32_t* Dst;
    int DstStride;
    int32_t Bands;
};

void IsoBox::BlitArea(const uint32_t table[256], int left, int top, int width, int height,
                      uint32_t* dst, int dstStride) {
    const int32_t bands = std::clamp(height / MinBandRows, 1, bandPool_.Threads() * BandsPerThread);
    if (bands == 1) return Pane::BlitArea(table, left, top, width, height, dst, dstStride);
    BlitJob job{this, table, left, top, width, height, dst, dstStride, bands};
    bandPool_.Run(bands, BlitBand, &job);
}

void IsoBox::BlitBand(void* context, int32_t band, int32_t) {
    const BlitJob& job = *static_cast<const BlitJob*>(context);
    const int first = band * job.Height / job.Bands;
    const int end = (band + 1) * job.Height / job.Bands;
    BlitPane(job.Box->Pixels(), job.Box->BufferWidth, job.Box->BufferHeight, job.Table, job.Left,
             job.Top + first, job.Width, end - first,
             job.Dst + static_cast<ptrdiff_t>(first) * job.DstStride, job.DstStride);
}

}  // namespace varp
