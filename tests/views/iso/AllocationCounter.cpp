// The test program's operator new and delete, counting every allocation.
#include "views/iso/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};
std::atomic<size_t> failFrom{0};

void* Allocate(size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    const size_t limit = failFrom.load(std::memory_order_relaxed);
    if (limit != 0 && size >= limit) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

namespace varp::test {

long AllocationCounter::Count() {
    return allocations.load(std::memory_order_relaxed);
}
void AllocationCounter::FailFrom(size_t bytes) {
    failFrom.store(bytes, std::memory_order_relaxed);
}

}  // namespace varp::test

// Every unaligned form is replaced, so that no block is taken by one allocator and given back
// to another (the sanitizers' own new and delete would report such a pair).
void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
