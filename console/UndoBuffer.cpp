#include "console/UndoBuffer.h"

#include "console/TxEditorCore.h"
#include "console/TxUndo.h"

namespace {

// Records that join whatever run they follow.
bool ExtendsRun(const std::type_info& kind) {
  return kind == typeid(TTxDeleteTrailUndo) || kind == typeid(TTxReLineUndo);
}

}  // namespace

TUndoBuffer::TUndoBuffer(ITxEditorCore& editor) : editor_(editor) {}

TUndoBuffer::~TUndoBuffer() = default;

void TUndoBuffer::Add(std::unique_ptr<TUndo> record) {
  if (inUndo_) return;
  records_.resize(static_cast<std::size_t>(std::min(position_ + 1, Count())));
  records_.push_back(std::move(record));
  position_ = Count() - 1;
}

// A compound group undoes whole; outside one, the run of records of the
// newest record's class, with the trimmed-blank and ReLine records among it.
void TUndoBuffer::Undo() {
  TFlagScope scope(inUndo_);
  if (!Current()) return;
  const std::type_info* group = &typeid(*Current());
  int depth = 0;
  while (TUndo* current = Current()) {
    const std::type_info& kind = typeid(*current);
    if ((!group || kind != *group) && !ExtendsRun(kind) && depth <= 0) break;
    if (kind == typeid(TTxBeginCompoundUndo)) {
      group = nullptr;
      --depth;
    } else if (kind == typeid(TTxEndCompoundUndo)) {
      ++depth;
    }
    current->Undo();
    --position_;
    if (group && ExtendsRun(*group)) group = Current() ? &typeid(*Current()) : nullptr;
  }
  if (editor_.UpdateLock() == 0) {
    editor_.TextAllChanged(false);
    editor_.Changed();
  }
}

void TUndoBuffer::Redo() { throw ETxEditorError("Redo not yet implemented"); }

void TUndoBuffer::Clear() { records_.clear(); }

TUndo* TUndoBuffer::Current() const {
  return position_ >= 0 && position_ < Count() ? records_[static_cast<std::size_t>(position_)].get() : nullptr;
}

bool TUndoBuffer::StartsGroup(const TUndo& record) const {
  const TUndo* current = Current();
  return !current || typeid(*current) != typeid(record);
}

int TUndoBuffer::WalkBackRun() {
  const std::type_info& kind = typeid(*Current());
  while (position_ > 0 && typeid(At(position_ - 1)) == kind) --position_;
  return position_;
}
