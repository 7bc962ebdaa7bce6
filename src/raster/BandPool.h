// A small pool of threads that draws the bands of one picture at a time: a pane starts it once
// and every render hands it a plain function and a context, so that a frame allocates nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace varp {

class BandPool {
  public:
    // Draws band `band` of a picture; `worker` (0 for the calling thread) tells which of the
    // pool's threads runs it, so that each can use working memory of its own.
    using BandFunction = void (*)(void* context, int32_t band, int32_t worker);

    // `threads` counts the calling thread: 1 (or less) starts no thread and draws every band on
    // the caller's.
    explicit BandPool(int32_t threads);
    ~BandPool();
    BandPool(const BandPool&) = delete;
    BandPool& operator=(const BandPool&) = delete;

    // The processor's hardware threads, at least 1.
    static int32_t HardwareThreads();

    // The threads that draw, the caller's included: the number of working memories to keep.
    int32_t Threads() const { return static_cast<int32_t>(workers_.size()) + 1; }

    // Runs draw(context, band, worker) once for every band 0..bands-1 and returns when all are
    // done. The calling thread draws bands too. Bands are taken in order by whichever thread is
    // free, so a thread the system holds back does not hold up the others. At most MaxBands.
    void Run(int32_t bands, BandFunction draw, void* context);
    static constexpr int32_t MaxBands = 4096;

  private:
    void Work(int32_t worker);
    // Takes bands of the present run until none is left, and returns the ticket that said so.
    uint32_t Drain(int32_t worker);

    // The run being drawn: its band count in the high half and the next band to take in the
    // low half. A thread takes a band by raising the low half; a new run stores a new word, which
    // wakes the waiting threads. Stop asks them to end.
    static constexpr uint32_t Stop = 0xFFFFFFFFu;
    std::atomic<uint32_t> ticket_{0};
    std::atomic<int32_t> done_{0};  // bands of the present run finished
    // Written before the run's ticket is stored and read only by a thread that took a band of it.
    BandFunction draw_ = nullptr;
    void* context_ = nullptr;
    std::vector<std::thread> workers_;
};

}  // namespace varp
