#include "console/SrcEdit.h"

#include "console/TarnEditor.h"

namespace {

int pagesMade = 0;

}  // namespace

int SourcePagesMade() { return pagesMade; }

void ResetSourcePageCount() { pagesMade = 0; }

TSrcEdit::TSrcEdit(TComponent* owner) : TFrame(owner), editor_(new TTarnEditor(this)) {
  SetBounds(0, 0, 443, 270);
  SetAlign(alClient);
  const std::string number = std::to_string(pagesMade);
  SetName("SrcEdit" + number);
  SetCaption("Untitled" + number);
  editor_->SetParent(this);
  editor_->SetAlign(alClient);
  editor_->SetGutterWidth(48);
}

TSrcTab::TSrcTab(TComponent* owner) : TTabSheet(owner) {
  SetName("TabSheet" + std::to_string(++pagesMade));
  edit_ = new TSrcEdit(this);
  edit_->SetParent(this);
  SetCaption(edit_->Caption());
}
