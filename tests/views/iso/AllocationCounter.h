// Watching the heap in tests: counts allocations, and can make large ones fail.
#pragma once

#include <cstddef>

namespace varp::test {

// Every operator new of the test program passes through here.
struct AllocationCounter {
    static long Count();
    // While set, an allocation of at least `bytes` throws std::bad_alloc; 0 turns it off.
    static void FailFrom(size_t bytes);
};

}  // namespace varp::test
