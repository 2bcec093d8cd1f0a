#pragma once
// What the editor's text store and undo list need of their editor. The text
// editor control implements it; tests implement it without a window.

#include <string>
#include <string_view>

#include "runtime/Exceptions.h"

class TTxEditorStrings;
class TUndoBuffer;

class ETxEditorError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// The ordinals are stored with copied blocks on the clipboard.
enum TSelBlockFormat { bfInclusive = 0, bfLine = 1, bfColumn = 2, bfNonInclusive = 3 };

// Begin before end in text order; for column blocks also SelBegX <= SelEndX.
struct TTxSelection {
  bool Selected = false;
  TSelBlockFormat SelBlockFormat = bfNonInclusive;
  int SelBegX = 0;
  int SelBegY = 0;
  int SelEndX = 0;
  int SelEndY = 0;
};

class ITxEditorCore {
public:
  virtual ~ITxEditorCore() = default;

  virtual TTxEditorStrings& Lines() = 0;
  virtual TUndoBuffer& UndoList() = 0;

  // While the lock is above zero nothing is painted and list changes are
  // not reported. Lowering here only counts down: the caller repaints.
  virtual int UpdateLock() const = 0;
  virtual void RaiseUpdateLock() = 0;
  virtual void LowerUpdateLock() = 0;

  virtual bool KeepTrailingBlanks() const = 0;
  virtual int CaretX() const = 0;
  virtual int CaretY() const = 0;
  // Moves the caret without recording it.
  virtual void SetCaretInternal(int x, int y) = 0;
  virtual TTxSelection Selection() const = 0;
  virtual void SetSelection(const TTxSelection& selection) = 0;

  virtual void TextAllChanged(bool clearSelection) = 0;
  virtual void Changed() = 0;
  virtual std::string ExpandTabs(std::string_view text) const = 0;
};

// Raises the editor's update lock for a scope; lowering only counts down.
class TUpdateLockScope {
public:
  explicit TUpdateLockScope(ITxEditorCore& editor) : editor_(editor) { editor_.RaiseUpdateLock(); }
  ~TUpdateLockScope() { editor_.LowerUpdateLock(); }
  TUpdateLockScope(const TUpdateLockScope&) = delete;
  TUpdateLockScope& operator=(const TUpdateLockScope&) = delete;

private:
  ITxEditorCore& editor_;
};

// Raises a flag for a scope, also when an exception passes.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
};
