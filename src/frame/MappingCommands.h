// The Mapping menu: select every triangle, none, or invert the selection.
#pragma once

#include "app/App.h"

namespace varp {

void SelectAllTriangles(App& app);
void SelectNoTriangles(App& app);
void InvertTriangleSelection(App& app);

}  // namespace varp
