// A pane's buffer compared byte for byte with a reference picture of the same layout.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace varp::test {

// On a difference: how many pixels differ, and the first of them with both values.
template <class T>
testing::AssertionResult SamePixels(const std::vector<T>& got, const std::vector<T>& want,
                                    int width) {
    if (got.size() != want.size()) return testing::AssertionFailure() << "sizes differ";
    size_t differ = 0, first = 0;
    for (size_t i = got.size(); i-- > 0;) {
        if (got[i] != want[i]) ++differ, first = i;
    }
    if (differ == 0) return testing::AssertionSuccess();
    const auto w = static_cast<size_t>(width);
    return testing::AssertionFailure()
           << differ << " pixels differ; first at column " << first % w << ", buffer row "
           << first / w << ": " << +got[first] << " instead of " << +want[first];
}

}  // namespace varp::test
