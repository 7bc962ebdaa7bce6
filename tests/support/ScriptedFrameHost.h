// The main window's window-system side for tests: a client area of a chosen size, selectors
// that keep their entries, moves that resize panes at once, and a queue of posted refreshes.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "frame/MainWnd.h"
#include "platform/FrameHost.h"
#include "support/FakePaneHost.h"
#include "views/Pane.h"

namespace varp::test {

class ScriptedFrameHost : public FrameHost {
  public:
    void PostRefresh(Refresh kind) override { posted.push_back(static_cast<int>(kind)); }
    void RecalcLayout() override { ++recalcs; }
    int ToolbarBottom() override { return toolbarBottom; }
    Rect ClientRect() override { return {0, 0, clientWidth, clientHeight}; }
    void MoveChild(Child child, int x, int y, int width, int height) override {
        placed[child] = {x, y, x + width, y + height};
        if (wnd != nullptr && child != Child::SkinSelector && child != Child::FrameSelector) {
            FakePaneHost* host = hosts[child];
            host->width = std::max(width, 0);
            host->height = std::max(height, 0);
            wnd->PaneOf(child).OnSize(host->width, host->height);
        }
    }
    // A selector's client rectangle is its closed selection field.
    Rect ChildClientRect(Child child) override {
        Rect r = placed[child];
        if (child == Child::SkinSelector || child == Child::FrameSelector)
            r.bottom = r.top + selectorHeight;
        return r;
    }
    void RedrawChild(Child child) override { redraws.push_back(child); }
    void RedrawChildArea(Child child, const Rect& area) override {
        redraws.push_back(child);
        areas.push_back({child, area});
    }
    void ResetSelector(int id) override { entries[id].clear(); }
    void ReserveSelector(int, int, int) override {}
    void AddSelectorEntry(int id, const std::string& text) override { entries[id].push_back(text); }
    void SelectSelectorEntry(int id, int index) override { selected[id] = index; }
    void UpdateCommandStates() override { ++commandStateUpdates; }
    void SetTitle(const std::string& text) override { title = text; }
    void SetStatus(StatusField field, const std::string& text) override { status[field] = text; }
    void SetTimer(int id, int milliseconds) override { timers[id] = milliseconds; }
    void KillTimer(int id) override { timers.erase(id); }
    void CloseWindow() override { closed = true; }

    // Handles the queued refreshes, as the message loop would after a command.
    void Drain() {
        while (!posted.empty()) {
            const int kind = posted.front();
            posted.pop_front();
            wnd->OnRefresh(static_cast<Refresh>(kind));
        }
    }
    int RedrawsOf(Child c) const {
        int n = 0;
        for (Child r : redraws) n += r == c;
        return n;
    }

    MainWnd* wnd = nullptr;
    std::map<Child, FakePaneHost*> hosts;
    int clientWidth = 800;
    int clientHeight = 600;
    int toolbarBottom = 26;
    int selectorHeight = 21;
    std::deque<int> posted;
    int recalcs = 0;
    std::map<Child, Rect> placed;
    std::vector<Child> redraws;
    std::vector<std::pair<Child, Rect>> areas;  // the redraws of part of a pane
    std::map<int, std::vector<std::string>> entries;
    std::map<int, int> selected;
    int commandStateUpdates = 0;
    std::string title;
    std::map<StatusField, std::string> status;
    std::map<int, int> timers;  // running timers: id -> period
    bool closed = false;
};

}  // namespace varp::test
