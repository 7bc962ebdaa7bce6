// The undo history's two stacks and its memory bound.
#include "app/History.h"

namespace varp {

void History::Push(std::unique_ptr<EditStep> step) {
    if (!step) return;
    DropUndone();
    bytes_ += step->Bytes();
    done_.push_back(std::move(step));
    KeepInLimit();
}

EditStep* History::Undo(Workspace& ws) {
    if (done_.empty()) return nullptr;
    std::unique_ptr<EditStep> step = std::move(done_.back());
    done_.pop_back();
    bytes_ -= step->Bytes();
    step->Swap(ws);
    // The other side the step now holds may be larger or smaller than before.
    bytes_ += step->Bytes();
    undone_.push_back(std::move(step));
    return undone_.back().get();
}

EditStep* History::Redo(Workspace& ws) {
    if (undone_.empty()) return nullptr;
    std::unique_ptr<EditStep> step = std::move(undone_.back());
    undone_.pop_back();
    bytes_ -= step->Bytes();
    step->Swap(ws);
    bytes_ += step->Bytes();
    done_.push_back(std::move(step));
    KeepInLimit();
    return done_.back().get();
}

void History::Clear() {
    DropUndone();
    done_.clear();
    bytes_ = 0;
}

void History::SetLimit(size_t bytes) {
    limit_ = bytes;
    KeepInLimit();
}

void History::DropUndone() {
    // Newest first: a step taken back later may own what an older one refers to.
    while (!undone_.empty()) {
        bytes_ -= undone_.back()->Bytes();
        undone_.pop_back();
    }
}

void History::KeepInLimit() {
    while (bytes_ > limit_ && done_.size() > 1) {
        bytes_ -= done_.front()->Bytes();
        done_.pop_front();
    }
}

}  // namespace varp
