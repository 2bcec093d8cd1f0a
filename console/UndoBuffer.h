#pragma once
// The editor's undo list: records oldest first, Position at the newest one
// not yet undone. Outside compound groups a run of records of one exact
// class undoes as one step; trimmed-blank and ReLine records never end a run.

#include <memory>
#include <typeinfo>
#include <vector>

class ITxEditorCore;
class TUndo;

class TUndoBuffer {
public:
  explicit TUndoBuffer(ITxEditorCore& editor);
  ~TUndoBuffer();
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // Dropped while an undo runs; else every record after Position goes.
  void Add(std::unique_ptr<TUndo> record);
  void Undo();
  // Raises ETxEditorError "Redo not yet implemented"; nothing changes.
  void Redo();
  // Position keeps its value; Current is nil while the list is empty.
  void Clear();
  TUndo* Current() const;
  bool StartsGroup(const TUndo& record) const;
  bool CanUndo() const { return Current() != nullptr; }
  bool InUndo() const { return inUndo_; }
  int Position() const { return position_; }
  int Count() const { return static_cast<int>(records_.size()); }
  TUndo& At(int index) const { return *records_[static_cast<std::size_t>(index)]; }

  // For a record's own undo: moves Position back over the run of records of
  // its exact class that ends there, onto the run's earliest record.
  int WalkBackRun();

private:
  ITxEditorCore& editor_;
  std::vector<std::unique_ptr<TUndo>> records_;
  int position_ = -1;
  bool inUndo_ = false;
};

// Makes a record of class Record for the editor's undo list.
template <typename Record, typename... Args>
void RecordUndo(ITxEditorCore& editor, Args&&... args);
