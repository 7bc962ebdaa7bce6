// The band pool: threads that sleep on the run's ticket, take bands from it and count them done.
#include "raster/BandPool.h"

#include <algorithm>
#include <system_error>

namespace varp {

BandPool::BandPool(int32_t threads) {
    if (threads <= 1) return;
    workers_.reserve(static_cast<size_t>(threads - 1));
    for (int32_t w = 1; w < threads; ++w) {
        try {
            workers_.emplace_back([this, w] { Work(w); });
        } catch (const std::system_error&) {
            break;  // the threads started so far share the bands with the caller
        }
    }
}

int32_t BandPool::HardwareThreads() {
    return static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
}

BandPool::~BandPool() {
    ticket_.store(Stop, std::memory_order_release);
    ticket_.notify_all();
    for (std::thread& t : workers_) t.join();
}

void BandPool::Run(int32_t bands, BandFunction draw, void* context) {
    if (bands <= 0) return;
    if (bands > MaxBands) bands = MaxBands;
    if (workers_.empty() || bands == 1) {
        for (int32_t b = 0; b < bands; ++b) draw(context, b, 0);
        return;
    }
    // The previous run is over: no thread reads these until it has taken a band of this one.
    draw_ = draw;
    context_ = context;
    done_.store(0, std::memory_order_relaxed);
    ticket_.store(static_cast<uint32_t>(bands) << 16, std::memory_order_release);
    ticket_.notify_all();
    Drain(0);
    for (int32_t d = done_.load(std::memory_order_acquire); d < bands;
         d = done_.load(std::memory_order_acquire)) {
        done_.wait(d, std::memory_order_acquire);
    }
}

uint32_t BandPool::Drain(int32_t worker) {
    uint32_t t = ticket_.load(std::memory_order_acquire);
    for (;;) {
        const uint32_t bands = t >> 16, next = t & 0xFFFFu;
        if (t == Stop || next >= bands) return t;
        if (!ticket_.compare_exchange_weak(t, t + 1, std::memory_order_acq_rel,
                                           std::memory_order_acquire)) {
            continue;
        }
        draw_(context_, static_cast<int32_t>(next), worker);
        if (done_.fetch_add(1, std::memory_order_acq_rel) + 1 == static_cast<int32_t>(bands)) {
            done_.notify_one();
        }
        ++t;
    }
}

void BandPool::Work(int32_t worker) {
    uint32_t seen = 0;  // the ticket before the first run: no bands
    for (;;) {
        ticket_.wait(seen, std::memory_order_acquire);
        seen = Drain(worker);
        if (seen == Stop) return;
    }
}

}  // namespace varp
