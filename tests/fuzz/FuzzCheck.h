// What every fuzz target checks after the system accepted an input: the Workspace invariants
// the views and the writer rely on. A broken invariant aborts, which the fuzzer reports.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/App.h"

namespace varp::fuzz {

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void Require(bool ok, const char* what) {
    if (!ok) Fail(what);
}

// A fresh folder under /tmp for the whole fuzzing run.
std::string RunFolder();

// The Workspace after a successful read: loaded, and every invariant holding.
void CheckWorkspace(const App& app);

}  // namespace varp::fuzz
