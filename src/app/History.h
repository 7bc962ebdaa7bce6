// The undo history: every change to the skins and the mapping is a step that can be taken back
// and made again, newest first, within a memory bound.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>

#include "app/TexelRect.h"

namespace varp {

struct SkinImage;
struct Workspace;

// One change. A step holds the other side of what it changed: before the change while it is
// done, after it while it is undone, so undoing and redoing are the same exchange.
class EditStep {
  public:
    explicit EditStep(const char* label) : Label(label) {}
    virtual ~EditStep() = default;
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    // Exchanges the Workspace's state with the step's other side.
    virtual void Swap(Workspace& ws) = 0;
    // Bytes the step holds, itself included, for the history's bound.
    virtual size_t Bytes() const = 0;
    // The skin whose texels alone the step changes, or null: the views then show the whole
    // Workspace again after an undo or a redo.
    virtual SkinImage* TexelsOf() const { return nullptr; }
    // Of those texels, the rectangle holding every one the step changes; empty when the step
    // does not know (the views then recolour the whole skin).
    virtual TexelRect TexelArea() const { return {}; }

    // What the Edit menu names it after "Undo " and "Redo ": "Paint Stroke".
    const char* const Label;
};

class History {
  public:
    // Bytes the steps may hold before the oldest are dropped.
    static constexpr size_t DefaultLimit = size_t{256} << 20;

    // A new change, already made: it becomes the newest step and nothing can be redone.
    void Push(std::unique_ptr<EditStep> step);
    // Takes back the newest step / makes the last step taken back again. Return it, or null
    // when there is none.
    EditStep* Undo(Workspace& ws);
    EditStep* Redo(Workspace& ws);
    // Labels of the steps Undo and Redo would take, or null.
    const char* UndoLabel() const { return done_.empty() ? nullptr : done_.back()->Label; }
    const char* RedoLabel() const { return undone_.empty() ? nullptr : undone_.back()->Label; }

    // Forgets every step (a new model replaces the one they changed).
    void Clear();
    // Sets the bound and drops the oldest steps until the history fits it. The newest step is
    // kept whatever its size, so a change larger than the bound can still be taken back once.
    void SetLimit(size_t bytes);

    size_t Bytes() const { return bytes_; }
    size_t UndoCount() const { return done_.size(); }
    size_t RedoCount() const { return undone_.size(); }

  private:
    void DropUndone();
    void KeepInLimit();

    std::deque<std::unique_ptr<EditStep>> done_;    // oldest first
    std::deque<std::unique_ptr<EditStep>> undone_;  // the next to redo last
    size_t bytes_ = 0;
    size_t limit_ = DefaultLimit;
};

}  // namespace varp
