// Watching the test program's heap: rendering makes no allocation, and a pane survives a
// failed one.
#pragma once

#include <cstddef>

namespace varp::test {

// How many times operator new has run in this program so far.
long HeapAllocations();
// From now on an allocation of at least `bytes` fails (throws, or gives null for the nothrow
// forms); 0 lets every allocation through again.
void FailAllocationsFrom(size_t bytes);

}  // namespace varp::test
