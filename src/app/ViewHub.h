// What commands and readers ask of the main window after they change the Workspace.
#pragma once

#include "platform/PaneHost.h"

namespace varp {

class ViewHub {
  public:
    virtual ~ViewHub() = default;
    // Refill the selectors, queue a full refresh of the large views, redraw the palette.
    virtual void RefreshAllViews() = 0;
    // Refill the selectors only (and put the skin list in its canonical order).
    virtual void RebuildSelectors() = 0;
    // Queue a refresh to be handled after the current command.
    virtual void PostRefresh(Refresh kind) = 0;
};

}  // namespace varp
