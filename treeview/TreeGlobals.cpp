#include "treeview/TreeGlobals.h"

#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Cursor.h"
#include "treeview/DTHeader.h"
#include "treeview/ClipboardFormatList.h"
#include "treeview/TreeImages.h"
#include "treeview/TreeProperties.h"

namespace {

std::unique_ptr<TTreeGlobals>& Globals() {
  // The globals empty the format list when they go: it must be made first so that it goes last.
  ClipboardFormatList();
  static std::unique_ptr<TTreeGlobals> globals;
  return globals;
}

// The strips of the kinds drawn from our own strips; the system kinds and ckCustom have none.
const char* StripOfKind(TCheckImageKind kind) {
  switch (kind) {
    case ckLightCheck: return "DTREE_CHECK_LIGHT";
    case ckDarkCheck: return "DTREE_CHECK_DARK";
    case ckLightTick: return "DTREE_TICK_LIGHT";
    case ckDarkTick: return "DTREE_TICK_DARK";
    case ckFlat: return "DTREE_FLAT";
    case ckXP: return "DTREE_XP";
    default: return nullptr;
  }
}

}  // namespace

TTreeGlobals::TTreeGlobals() {
  RegisterStandardTreeFormats();
  RegisterTreeProperties();
  const std::unique_ptr<TBitmap> split = DrawHeaderSplitCursor();
  headerSplitCursor_ = CreateKeyedCursor(*split, Point(16, 16));
  Screen().SetCursors(crHeaderSplit, headerSplitCursor_);
}

TTreeGlobals::~TTreeGlobals() {
  Screen().SetCursors(crHeaderSplit, LoadCursor(nullptr, IDC_ARROW));
  DestroyCursor(headerSplitCursor_);
  ClipboardFormatList().RemoveAll();
}

TImageList& TTreeGlobals::UtilityImages() {
  if (!utilityImages_) {
    utilityImages_ = std::make_unique<TImageList>();
    ReloadUtilityImages();
  }
  return *utilityImages_;
}

void TTreeGlobals::ReloadUtilityImages() {
  if (utilityImages_) LoadImageStrip(*utilityImages_, "DTREE_UTILITIES", true);
}

TImageList* TTreeGlobals::CheckImages(TCheckImageKind kind) {
  if (kind == ckCustom) return nullptr;
  if (!checkImages_[kind]) LoadCheckImages(kind);
  return checkImages_[kind].get();
}

void TTreeGlobals::LoadCheckImages(TCheckImageKind kind) {
  if (kind == ckSystem || kind == ckSystemFlat) {
    BuildSystemCheckImages(checkImages_[kind], kind == ckSystemFlat);
    return;
  }
  if (!checkImages_[kind]) checkImages_[kind] = std::make_unique<TImageList>();
  // The themed strip keeps its own colours.
  LoadImageStrip(*checkImages_[kind], StripOfKind(kind), kind != ckXP);
}

void TTreeGlobals::ReloadCheckImages() {
  for (size_t kind = 0; kind < checkImages_.size(); ++kind)
    if (checkImages_[kind]) LoadCheckImages(static_cast<TCheckImageKind>(kind));
}

TTreeGlobals& InitTreeGlobals() {
  if (!Globals()) Globals() = std::make_unique<TTreeGlobals>();
  return *Globals();
}

void DoneTreeGlobals() { Globals().reset(); }

bool TreeGlobalsBuilt() { return Globals() != nullptr; }
