// Mapping selection commands: they change only the Selected bit, then refresh every view.
#include "frame/MappingCommands.h"

namespace varp {

namespace {

template <typename Change>
void ForEachTriangle(App& app, Change change) {
    for (int i = 0; i < app.NumTriangles; ++i)
        app.Triangles[i].Flags = change(app.Triangles[i].Flags);
    app.RefreshAllViews();
}

}  // namespace

void SelectAllTriangles(App& app) {
    ForEachTriangle(app, [](uint32_t f) { return f | Selected; });
}

void SelectNoTriangles(App& app) {
    ForEachTriangle(app, [](uint32_t f) { return f & ~Selected; });
}

void InvertTriangleSelection(App& app) {
    ForEachTriangle(app, [](uint32_t f) { return f ^ Selected; });
}

}  // namespace varp
