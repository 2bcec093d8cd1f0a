#pragma once
// The edit control of the text tree's editor: a TEdit with the key handling
// of an in-place editor. Enter (Ctrl+Enter on a multi-line node) accepts,
// Escape cancels, leaving the edit accepts or cancels by the tree's options,
// and a single-line edit grows and shrinks with its text.

#include "runtime/CountedPtr.h"
#include "toolkit/controls/Edit.h"

class IDTEditLink;
class TStringEditLink;

class TDTEdit : public TEdit {
public:
  explicit TDTEdit(TStringEditLink& link);
  ~TDTEdit() override;

  // The edit works for the link from now on; the counted reference keeps the link alive meanwhile.
  void Attach(TStringEditLink& link);
  // Drops both references to the link once the edit ended.
  void ForgetLink();
  // Frees the edit once the messages in the queue were handled (at once when it has no window).
  void ReleaseLater();
  // Resizes a single-line edit to its text, keeping the edge the text is aligned to.
  void FitToText();

  static constexpr UINT ReleaseMessage = 45089;

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;

private:
  bool SingleLine() const;
  // Answers whether the key was handled here.
  bool EditKey(WORD key, TShiftState shift);
  void LeaveFocus();
  void StoreModifiedText();

  CountedPtr<IDTEditLink> reference_;
  TStringEditLink* link_;
};
