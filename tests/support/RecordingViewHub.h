// A stand-in for the main window that counts what commands ask of it.
#pragma once

#include <vector>

#include "app/App.h"
#include "frame/Selectors.h"

namespace varp::test {

class RecordingViewHub : public ViewHub {
  public:
    explicit RecordingViewHub(Workspace* ws = nullptr) : ws_(ws) {}
    void RefreshAllViews() override {
        ++refreshAll;
        RebuildSelectors();
        --rebuilds;  // counted as part of the refresh
    }
    void RebuildSelectors() override {
        ++rebuilds;
        if (ws_ != nullptr) LinkedFirst(*ws_);
    }
    void PostRefresh(Refresh kind) override { posted.push_back(static_cast<int>(kind)); }

    int refreshAll = 0;
    int rebuilds = 0;
    std::vector<int> posted;

  private:
    Workspace* ws_;
};

}  // namespace varp::test
