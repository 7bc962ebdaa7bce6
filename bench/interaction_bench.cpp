// What one mouse event costs end to end, through a real main window: a paint stroke's move
// (the texel, the kind-0 refresh of both large panes and the blits of the parts it changed), a
// camera drag's move (the quick render and the blit) and a mapping drag's move on the flat skin
// (the kind-1 refresh of both panes in Mapping mode and their blits), each beside BM_MemcpyScreen
// of the same size: a memcpy of the 32-bit images of both panes, what the user sees.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "edit/Stroke.h"
#include "frame/Commands.h"
#include "frame/MainWnd.h"
#include "platform/ConsolePlatform.h"
#include "views/Blit.h"
#include "views/iso/IsoBox.h"
#include "views/iso/TexelIndex.h"
#include "views/skin/SkinBox.h"

namespace {

using namespace varp;
using Clock = std::chrono::steady_clock;

// A pane's window: its repaint is the program's paint handler, the blit of the whole picture,
// or of the part a render changed, through the current colour table into a 32-bit image.
struct Screen {
    std::vector<uint32_t> image;
    uint32_t table[256] = {};

    void Show(const App& app, Pane& pane) {
        Show(app, pane, Rect{0, 0, pane.Width(), pane.Height()});
    }
    void Show(const App& app, Pane& pane, const Rect& area) {
        const int w = pane.Width(), h = pane.Height();
        if (w <= 0 || h <= 0 || area.right <= area.left || area.bottom <= area.top) return;
        const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
        if (image.size() < count) image.resize(count);
        PaneColourTable(app, table);
        pane.BlitArea(table, area.left, area.top, area.right - area.left, area.bottom - area.top,
                      image.data() + static_cast<size_t>(area.top) * static_cast<size_t>(w) +
                          static_cast<size_t>(area.left),
                      w);
        benchmark::DoNotOptimize(image.data());
    }
};

class Window;

class BenchPaneHost : public PaneHost {
  public:
    BenchPaneHost(Window& window, Child child) : window_(window), child_(child) {}
    void SetCapture() override { capture_ = true; }
    void ReleaseCapture() override;
    bool HoldsCapture() override { return capture_; }
    int ShowCursor(bool show) override { return count_ += show ? 1 : -1; }
    void SetCursorPos(ClientPoint) override {}
    void ClientSize(int* width, int* height) override { *width = *height = 0; }
    void RedrawNow() override;
    void SendRefresh(Refresh kind) override;
    long refreshes = 0;  // to show that every event went all the way

  private:
    Window& window_;
    Child child_;
    bool capture_ = false;
    int count_ = 0;
};

class BenchFrameHost : public FrameHost {
  public:
    explicit BenchFrameHost(Window& window) : window_(window) {}
    void PostRefresh(Refresh) override {}
    void RecalcLayout() override {}
    int ToolbarBottom() override { return 0; }
    Rect ClientRect() override { return {}; }
    void MoveChild(Child, int, int, int, int) override {}
    Rect ChildClientRect(Child) override { return {}; }
    void RedrawChild(Child child) override;
    void RedrawChildArea(Child child, const Rect& area) override;
    void ResetSelector(int) override {}
    void ReserveSelector(int, int, int) override {}
    void AddSelectorEntry(int, const std::string&) override {}
    void SelectSelectorEntry(int, int) override {}
    void UpdateCommandStates() override {}
    void SetTitle(const std::string&) override {}
    void SetStatus(StatusField, const std::string&) override {}
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
    void CloseWindow() override {}

  private:
    Window& window_;
};

// The main window over a model loaded once for the whole run: the demo character, or the
// dense torus of 4096 triangles.
class Window {
  public:
    explicit Window(bool dense) : dense_(dense), folder_(dense) {
        app = std::make_unique<App>(sys_);
        wnd = std::make_unique<MainWnd>(*app, frame_, modelHost_, skinHost_, paletteHost_);
        folder_.LoadInto(*app);
    }
    ~Window() {
        wnd.reset();
        app.reset();
    }

    // Both large panes at the given size, the camera where it starts (the torus seen from 30
    // degrees above), Mix mode, fully rendered.
    void Prepare(int width, int height) {
        app->Mode = ModeMix;
        app->PaintColour = 37;
        IsoBox& model = wnd->ModelView();
        model.ViewCamera = Camera{};
        if (dense_) {
            model.ViewCamera.BeginOrbit();
            model.ViewCamera.Orbit(0, 150);
        }
        model.OnSize(width, height);
        SkinBox& skin = wnd->SkinView();
        skin.PanS = skin.PanT = SkinBox::StartPan;
        skin.Zoom = SkinBox::StartZoom;
        skin.OnSize(width, height);
        wnd->OnRefresh(Refresh::Everything);
    }

    // A point of the 3D view that shows a texel, as near the centre as found.
    ClientPoint PointOnModel() {
        IsoBox& model = wnd->ModelView();
        const int w = model.Width(), h = model.Height();
        for (int y = h / 2; y < h; ++y) {
            for (int x = w / 2; x < w; ++x) {
                if (model.PickAt({x, y}) != IsoBox::NoPick) return {x, y};
            }
        }
        return {w / 2, h / 2};
    }

    Screen& ScreenOf(Child child) { return screens_[static_cast<int>(child)]; }
    long ModelRefreshes() const { return modelHost_.refreshes; }
    long SkinRefreshes() const { return skinHost_.refreshes; }

    std::unique_ptr<App> app;
    std::unique_ptr<MainWnd> wnd;

  private:
    bool dense_;
    bench::ModelFolder folder_;
    ConsolePlatform sys_;
    BenchFrameHost frame_{*this};
    BenchPaneHost modelHost_{*this, Child::ModelView};
    BenchPaneHost skinHost_{*this, Child::SkinView};
    BenchPaneHost paletteHost_{*this, Child::PaletteView};
    Screen screens_[5];
};

void BenchPaneHost::ReleaseCapture() {
    if (!capture_) return;
    capture_ = false;
    window_.wnd->PaneOf(child_).OnCaptureChanged();
}
void BenchPaneHost::RedrawNow() {
    window_.ScreenOf(child_).Show(*window_.app, window_.wnd->PaneOf(child_));
}
void BenchPaneHost::SendRefresh(Refresh kind) {
    ++refreshes;
    window_.wnd->OnRefresh(kind);
}
void BenchFrameHost::RedrawChild(Child child) {
    window_.ScreenOf(child).Show(*window_.app, window_.wnd->PaneOf(child));
}
// The window blits only the parts asked for, as the program's paint handler does.
void BenchFrameHost::RedrawChildArea(Child child, const Rect& area) {
    window_.ScreenOf(child).Show(*window_.app, window_.wnd->PaneOf(child), area);
}

Window& Model(const benchmark::State& state) {
    static Window character(false);
    static Window torus(true);
    return state.range(2) != 0 ? torus : character;
}

using bench::Height;
using bench::Width;
size_t Pixels(const benchmark::State& state) {
    return static_cast<size_t>(Width(state)) * static_cast<size_t>(Height(state));
}

void Cases(benchmark::internal::Benchmark* b) {
    for (int dense : {0, 1}) b->Args({1920, 1080, dense})->Args({3840, 2160, dense});
    b->ArgNames({"w", "h", "dense"})->Unit(benchmark::kMicrosecond);
}

// A baseline: one memcpy of each of the buffers given in bytes.
class Copies {
  public:
    explicit Copies(const std::vector<size_t>& sizes) {
        for (size_t n : sizes) {
            from_.emplace_back(n, uint8_t{0x5A});
            to_.emplace_back(n);
            bytes_ += n;
        }
    }
    // Seconds per round of copies, over at least a fifth of a second.
    double SecondsPerRound() {
        int rounds = 0;
        const Clock::time_point start = Clock::now();
        std::chrono::duration<double> elapsed{};
        do {
            Round();
            ++rounds;
            elapsed = Clock::now() - start;
        } while (rounds < 3 || elapsed.count() < 0.2);
        return elapsed.count() / rounds;
    }
    size_t Bytes() const { return bytes_; }
    void Round() {
        for (size_t i = 0; i < from_.size(); ++i) {
            std::memcpy(to_[i].data(), from_[i].data(), from_[i].size());
            benchmark::DoNotOptimize(to_[i].data());
        }
        benchmark::ClobberMemory();
    }

  private:
    std::vector<std::vector<uint8_t>> from_, to_;
    size_t bytes_ = 0;
};

// What the user sees of a case: the 32-bit images of both large panes.
Copies ScreenCopies(const benchmark::State& state) {
    return Copies({4 * Pixels(state), 4 * Pixels(state)});
}

// The baseline every event is read against: both panes' 32-bit images copied once.
void BM_MemcpyScreen(benchmark::State& state) {
    Copies copies = ScreenCopies(state);
    for (auto _ : state) copies.Round();
    state.counters["MB"] = static_cast<double>(copies.Bytes()) / 1e6;
}
BENCHMARK(BM_MemcpyScreen)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMicrosecond);

// The paint handler's conversion alone: a w x h picture through the colour table into a 32-bit
// image, one pass, read against a memcpy of the same 32-bit pixels timed right after it.
void BM_BlitPane(benchmark::State& state) {
    const int w = Width(state), h = Height(state);
    std::vector<uint8_t> picture(Pixels(state));
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7 + i / 3);
    std::vector<uint32_t> image(Pixels(state));
    uint32_t table[256];
    for (uint32_t i = 0; i < 256; ++i) table[i] = 0xFF000000u | i * 0x010305u;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        BlitPane(picture.data(), w, h, table, 0, 0, w, h, image.data(), w);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    const double perBlit = elapsed.count() / static_cast<double>(state.iterations());
    state.counters["memcpy_ratio"] = perBlit / Copies({4 * Pixels(state)}).SecondsPerRound();
}
BENCHMARK(BM_BlitPane)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMicrosecond);

// Time per event (measured around the loop as well) and its ratio to a screen copy of the same
// size, timed in the same process right after it.
template <class Event>
void RunEvents(benchmark::State& state, Event&& event) {
    const Clock::time_point start = Clock::now();
    for (auto _ : state) event();
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    const double perEvent = elapsed.count() / static_cast<double>(state.iterations());
    const double perCopy = ScreenCopies(state).SecondsPerRound();
    state.counters["screen_us"] = perCopy * 1e6;
    state.counters["screen_ratio"] = perEvent / perCopy;
}

// One move of a paint stroke: PaintTexel, the kind-0 refresh (the recolour of the pixels that
// show the texel in the 3D view and in the skin view) and the blit of those parts of both.
// Every move paints and refreshes, even over a texel that has the paint colour already.
void BM_PaintEvent(benchmark::State& state) {
    Window& w = Model(state);
    w.Prepare(Width(state), Height(state));
    IsoBox& model = w.wnd->ModelView();
    const ClientPoint p = w.PointOnModel();
    model.OnLButtonDown(p, MK_LBUTTON);
    const long refreshes = w.ModelRefreshes();
    RunEvents(state, [&] { model.OnMouseMove(p, MK_LBUTTON); });
    state.counters["refreshes"] = benchmark::Counter(
        static_cast<double>(w.ModelRefreshes() - refreshes), benchmark::Counter::kAvgIterations);
    model.OnLButtonUp(p, 0);
}
BENCHMARK(BM_PaintEvent)->Apply(Cases);

// What the first paint event after a render that wrote new picks (a full render: the end of a
// camera drag, a new frame) pays on top: the 3D view's texel index built from its pick buffer.
void BM_TexelIndexBuild(benchmark::State& state) {
    Window& w = Model(state);
    w.Prepare(Width(state), Height(state));
    const std::vector<uint32_t>& picks = w.wnd->ModelView().PickBuffer;
    TexelIndex index;
    RunEvents(state, [&] {
        index.Build(picks.data(), w.wnd->ModelView().Width(), w.wnd->ModelView().Height(),
                    w.app->CurrentSkin->Pixels.size());
    });
}
BENCHMARK(BM_TexelIndexBuild)->Apply(Cases);

// One move of a brush stroke over the 3D view at 4K, by brush size (round): the moves swing 8
// pixels either side of a point on the model, so each paints the brush along a 16-pixel
// segment, then the kind-0 refresh and the repaint of both panes. Compare the size 16 time with
// the size 1 time: the brush's pixels are few beside the panes' pixels.
void BM_BrushMoveEvent(benchmark::State& state) {
    Window& w = Model(state);
    w.Prepare(Width(state), Height(state));
    w.app->BrushSize = static_cast<int32_t>(state.range(3));
    w.app->BrushRound = 1;
    IsoBox& model = w.wnd->ModelView();
    const ClientPoint p = w.PointOnModel();
    model.OnLButtonDown(p, MK_LBUTTON);
    int side = 1;
    RunEvents(state, [&] {
        model.OnMouseMove({p.x + 8 * side, p.y}, MK_LBUTTON);
        side = -side;
    });
    model.OnLButtonUp(p, 0);
    w.app->BrushSize = 1;
    w.app->BrushRound = 0;
}
BENCHMARK(BM_BrushMoveEvent)
    ->ArgNames({"w", "h", "dense", "brush"})
    ->Args({3840, 2160, 0, 1})
    ->Args({3840, 2160, 0, 16})
    ->Args({3840, 2160, 1, 1})
    ->Args({3840, 2160, 1, 16})
    ->Unit(benchmark::kMicrosecond);

// One move of an orbit drag: the camera turn, the Quick render and the blit of the 3D view.
// The moves swing two pixels either side of the press point, so the model stays in view.
void BM_CameraDragEvent(benchmark::State& state) {
    Window& w = Model(state);
    w.Prepare(Width(state), Height(state));
    IsoBox& model = w.wnd->ModelView();
    const ClientPoint press{Width(state) / 2, Height(state) / 2};
    model.OnLButtonDown(press, MK_LBUTTON | MK_CONTROL);
    int side = 1;
    RunEvents(state, [&] {
        model.OnMouseMove({press.x + 2 * side, press.y}, MK_LBUTTON);
        side = -side;
    });
    model.OnLButtonUp(press, 0);
}
BENCHMARK(BM_CameraDragEvent)->Apply(Cases);

// One move of a mapping-point drag on the skin view, in Mapping mode with every other triangle
// selected: the dragged corners follow, and the kind-1 refresh redraws the 3D view (a Mapping
// render with outlines) and the skin view (the skin and its mapping overlay), then blits both.
// The moves swing the point between two neighbouring texels, so every move changes the mapping.
void BM_MappingDragEvent(benchmark::State& state) {
    Window& w = Model(state);
    w.Prepare(Width(state), Height(state));
    App& app = *w.app;
    for (int i = 0; i < app.NumTriangles; ++i) app.Triangles[i].Flags = (i % 2 == 0) ? Selected : 0;
    app.Mode = ModeMapping;
    // The point of the first corner of triangle 0, in the middle of the skin view.
    const SkinCoord point = app.TexCoords[app.Triangles[0].TexCoord[0]];
    const int nextS = point.s + 1 < app.SkinWidth ? point.s + 1 : point.s - 1;
    SkinBox& skin = w.wnd->SkinView();
    skin.PanS = static_cast<float>(point.s) + 0.5f;
    skin.PanT = static_cast<float>(point.t) + 0.5f;
    skin.KeepViewInRange();
    w.wnd->OnRefresh(Refresh::Everything);
    const auto pointOf = [&](int s, int t) {
        return ClientPoint{skin.ColumnOf(s + 0.5), skin.Height() - 1 - skin.RowOf(t + 0.5)};
    };
    const ClientPoint home = pointOf(point.s, point.t);
    const ClientPoint away = pointOf(nextS, point.t);
    skin.OnLButtonDown(home, MK_LBUTTON);
    const long refreshes = w.SkinRefreshes();
    bool there = false;
    RunEvents(state, [&] {
        there = !there;
        skin.OnMouseMove(there ? away : home, MK_LBUTTON);
    });
    state.counters["refreshes"] = benchmark::Counter(
        static_cast<double>(w.SkinRefreshes() - refreshes), benchmark::Counter::kAvgIterations);
    skin.OnMouseMove(home, MK_LBUTTON);
    skin.OnLButtonUp(home, 0);
    for (int i = 0; i < app.NumTriangles; ++i) app.Triangles[i].Flags = 0;
    app.Mode = ModeMix;
}
BENCHMARK(BM_MappingDragEvent)->Apply(Cases);

// Undo or redo of a stroke of 10,000 texels (a 100 x 100 block of the skin in view): the texels
// exchanged and the kind-0 refresh of both panes with their blits, as the stroke's own events
// had. Per undo or redo, beside the screen copy; the bytes a step of one texel and of 10,000
// texels holds are reported with it.
void BM_UndoRedoStroke(benchmark::State& state) {
    Window& w = Model(state);
    w.Prepare(Width(state), Height(state));
    App& app = *w.app;
    const auto stroke = [&](int side) {
        Stroke s;
        s.Begin(app);
        for (int t = 0; t < side; ++t) {
            for (int u = 0; u < side; ++u) {
                const size_t at = static_cast<size_t>(t) * app.CurrentSkin->Width + u;
                s.Paint(app, u, t, static_cast<uint8_t>(app.CurrentSkin->Pixels[at] + 1));
            }
        }
        std::unique_ptr<EditStep> step = s.End();
        const size_t bytes = step->Bytes();
        app.Edits.Push(std::move(step));
        return static_cast<double>(bytes);
    };
    state.counters["step_bytes_1"] = stroke(1);
    state.counters["step_bytes_10000"] = stroke(100);
    bool undone = false;
    RunEvents(state, [&] {
        w.wnd->OnCommand(undone ? CmdRedo : CmdUndo);
        undone = !undone;
    });
    while (app.Edits.Undo(app) != nullptr) {
    }
    app.Edits.Clear();
}
BENCHMARK(BM_UndoRedoStroke)->Apply(Cases);

}  // namespace
