// The user caption buttons of a provider and its caption icon's options.

#include "skin/forms/SkinProvider.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

// A glyph is held as a copy; none, or an empty picture, leaves no glyph.
void CopyGlyph(std::unique_ptr<TBitmap>& held, const TBitmap* glyph) {
  if (!glyph || glyph->Empty()) {
    held.reset();
    return;
  }
  if (!held) held = std::make_unique<TBitmap>();
  held->Assign(*glyph);
}

}  // namespace

TSkinTitleButton::TSkinTitleButton() = default;
TSkinTitleButton::~TSkinTitleButton() = default;

void TSkinTitleButton::SetGlyph(const TBitmap* glyph) { CopyGlyph(glyph_, glyph); }

void TSkinTitleButton::Assign(const TCollectionItem& source) {
  const auto* button = dynamic_cast<const TSkinTitleButton*>(&source);
  if (!button) return TCollectionItem::Assign(source);
  Enabled = button->Enabled;
  Name = button->Name;
  UseSkinData = button->UseSkinData;
  OnMouseDown = button->OnMouseDown;
  OnMouseUp = button->OnMouseUp;
  SetGlyph(button->Glyph());
}

TSkinTitleButtons::TSkinTitleButtons(TSkinProvider* provider)
    : TCollection([] { return std::make_unique<TSkinTitleButton>(); }, provider), provider_(provider) {}

TSkinTitleIcon::TSkinTitleIcon() = default;
TSkinTitleIcon::~TSkinTitleIcon() = default;

void TSkinTitleIcon::SetGlyph(const TBitmap* glyph) { CopyGlyph(glyph_, glyph); }
