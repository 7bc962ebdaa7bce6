// Frame groups, found from the names without building any: the tick of a playing animation
// allocates nothing.
#include "frame/FrameGroups.h"

namespace varp {

std::string_view FrameGroup(std::string_view name) {
    size_t end = name.size();
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
    return name.substr(0, end);
}

int NextFrameInGroup(const FrameList& frames, int index) {
    const int count = static_cast<int>(frames.size());
    if (index < 0 || index >= count) return index;
    const std::string_view group = FrameGroup(frames[static_cast<size_t>(index)]->Name);
    const auto sameGroup = [&](int i) {
        return FrameGroup(frames[static_cast<size_t>(i)]->Name) == group;
    };
    if (index + 1 < count && sameGroup(index + 1)) return index + 1;
    int first = index;
    while (first > 0 && sameGroup(first - 1)) --first;
    return first;
}

}  // namespace varp
