// Counting the test program's heap allocations, to show that rendering makes none.
#pragma once

namespace varp::test {

// How many times operator new has run in this program so far.
long HeapAllocations();

}  // namespace varp::test
