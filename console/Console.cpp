#include "console/Console.h"

#include <cstdint>
#include <new>

#include "console/Sounds.h"
#include "console/Syntax.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"
#include "toolkit/controls/Clipboard.h"
#include "treeview/DataTreeOptions.h"

namespace {

// The sound of each line kind; the fatal one plays to its end.
struct TLineSound {
  std::uint8_t Kind;
  TSoundId Sound;
  bool Wait;
};

constexpr TLineSound LineSounds[] = {
    {lkResult, sndResult, false}, {lkInfo, sndInfo, false}, {lkWarning, sndWarning, false},
    {lkError, sndError, false},   {lkFatal, sndFatal, true},
};

void PlayLineSound(std::uint8_t kind) {
  if (!AppSounds) return;
  for (const TLineSound& sound : LineSounds)
    if (sound.Kind == kind) AppSounds->Play(sound.Sound, sound.Wait);
}

}  // namespace

// ---- TLineData, TConsInt, TConEx ----

TLineData::TLineData(std::uint8_t kind, int level, int length)
    : Kind(kind), Tokens(static_cast<std::size_t>(length), 0), Length(length), Level(level) {}

std::uint8_t TLineData::GetToken(int position) const {
  QASSERT(position >= 0 && position < Length, "6B1C0E24");
  return Tokens[static_cast<std::size_t>(position)];
}

void TLineData::SetToken(int position, std::uint8_t kind) {
  QASSERT(position >= 0 && position < Length, "6B1C0E25");
  Tokens[static_cast<std::size_t>(position)] = kind;
}

// The engine's text is UTF-8 and stays so.
void TConsInt::Write(const std::string& text, std::uint8_t kind, int level) {
  if (Console) Console->AddLine(text, kind, level);
}

void TConsInt::ExpandToLevel(int level) {
  if (Console) Console->ExpandToLevel(level);
}

void TConsInt::Clear() {
  if (Console) Console->Clear();
}

void TConEx::CopyConsole() { Console.CopySelection(); }

bool TConEx::PutText(const std::string& text) {
  if (!Clipboard().Open()) return false;
  Clipboard().SetAsText(text);
  Clipboard().Close();
  return true;
}

// ---- TConsole ----

TConsole::TConsole(TComponent* owner) : TFrame(owner), Tree(new TDataDrawTree(this)) {
  Tree->SetParent(this);
  Tree->SetBounds(4, 4, Width() - 8, Height() - 8);
  Tree->SetParentFont(false);
  Tree->Font().SetName("Courier New");
  Tree->Font().SetHeight(-13);
  Tree->SetNodeDataSize(sizeof(TConsLineRec));
  TCustomDataTreeOptions& options = Tree->TreeOptions();
  options.SetAnimationOptions({toAnimatedToggle});
  options.SetPaintOptions({toHideFocusRect, toHideSelection, toHotTrack, toShowBackground, toShowButtons, toShowRoot,
                           toThemeAware, toUseBlendedImages});
  options.SetSelectionOptions({toFullRowSelect, toMiddleClickSelect, toMultiSelect});
  TDTMiscOptions misc = options.MiscOptions();
  misc.Exclude(toWheelPanning);  // a middle click selects, as a left click does
  options.SetMiscOptions(misc);
  Tree->OnBeforeCellPaint = [this](TBaseDataTree*, TCanvas& canvas, PDataNode node, TColumnIndex, const TRect& cell) {
    TreeBeforeCellPaint(canvas, node, cell);
  };
  Tree->OnDrawNode = [this](TCustomDataDrawTree*, const TDTPaintInfo& info) { TreeDrawNode(info); };
  Tree->OnFreeNode = [this](TBaseDataTree*, PDataNode node) {
    TConsLineRec* line = LineRecord(node);
    QASSERT(line != nullptr, "6B1C0E26");
    line->~TConsLineRec();
  };
  Tree->OnGetImageIndex = [this](TBaseDataTree*, PDataNode node, TDTImageKind kind, TColumnIndex, bool&, int& index) {
    const TConsLineRec* line = LineRecord(node);
    if (!line || (kind != ikNormal && kind != ikSelected)) return;
    const TLineAttr& look = LineAttrs.AttrOfKind(line->Data.Kind);
    index = look.Icon && look.Image >= 0 ? look.Image : -1;
  };
  Tree->OnGetNodeWidth = [this](TCustomDataDrawTree*, TCanvas&, PDataNode node, TColumnIndex, int& width) {
    if (const TConsLineRec* line = LineRecord(node)) width = line->Width;
  };
  OnResize = [this](TObject*) { FrameResize(); };
  ConsoleIntf = MakeCounted<TConsInt>(this);
}

// The lines go before the tree: freeing them needs nothing of the console.
TConsole::~TConsole() {
  static_cast<TConsInt&>(*ConsoleIntf).Console = nullptr;
  Tree->Clear();
}

void TConsole::FrameResize() { Tree->SetBounds(4, 4, ClientWidth() - 8, ClientHeight() - 8); }

TConsLineRec* TConsole::LineRecord(PDataNode node) const {
  if (!node || !(node->Has(nsInitialized) || node->Has(nsInitialUserData))) return nullptr;
  return static_cast<TConsLineRec*>(Tree->NodeUserData(node));
}

// Under the focused line by level; with no focused line (the user cleared
// the console during a nested listing) a line of any level is top-level.
PDataNode TConsole::ParentForLevel(int level) {
  const PDataNode focused = Tree->FocusedNode();
  if (level <= 0 || !focused) return nullptr;
  const int focusedLevel = LineRecord(focused)->Data.Level;
  if (focusedLevel < level) return focused;
  PDataNode parent = focused->Parent == Tree->RootNode() ? nullptr : focused->Parent;
  if (focusedLevel == level) return parent;
  while (parent && LineRecord(parent)->Data.Level >= level)
    parent = parent->Parent == Tree->RootNode() ? nullptr : parent->Parent;
  return parent;
}

void TConsole::AddLine(const std::string& text, std::uint8_t kind, int level) {
  if ((kind == lkOutput || kind == lkResult) && !text.empty() && !NoEcho && Params.CopyClip) Copier.PutText(text);
  TLineData data(kind, level, static_cast<int>(text.size()));
  if (!text.empty()) TokenizeLine(text, data);
  const PDataNode node = Tree->AppendChildNode(ParentForLevel(level));
  Tree->EnsureNodeInitialized(node, false);
  void* place = Tree->NodeUserData(node);
  QASSERT(reinterpret_cast<std::uintptr_t>(place) % alignof(TConsLineRec) == 0, "6B1C0E27");
  new (place) TConsLineRec{0, std::move(data), text};
  Tree->SetFocusedNode(node);
  Tree->ScrollNodeIntoView(node, false);
  PlayLineSound(kind);
}

void TConsole::Clear() { Tree->Clear(); }

int TConsole::LineCount() const { return static_cast<int>(Tree->RootNodeCount()); }

int TConsole::SelectedCount() const { return Tree->SelectionCount(); }

void TConsole::CopySelection() {
  std::string text;
  for (PDataNode node = Tree->FirstSelectedNode(); node; node = Tree->NextSelectedNode(node)) {
    const TConsLineRec* line = LineRecord(node);
    if (!line) continue;
    if (ShowPrefixInCopy) text += " " + LineAttrs.AttrOfKind(line->Data.Kind).PrefixStr;
    text += line->Text + "\r\n";
  }
  if (!Copier.PutText(text)) AddLine("Failed to copy console to the clipboard", lkError, 0);
}

// Children first, inside one update bracket.
void TConsole::ExpandToLevel(int level) {
  Tree->BeginUpdate();
  std::vector<PDataNode> order;
  for (PDataNode node = Tree->FirstRootNodeRaw(); node; node = Tree->NextNodeInOrderRaw(node)) order.push_back(node);
  for (auto node = order.rbegin(); node != order.rend(); ++node)
    if (const TConsLineRec* line = LineRecord(*node)) Tree->SetNodeExpanded(*node, line->Data.Level < level);
  Tree->EndUpdate();
}

void TConsole::ApplyScheme(int scheme) {
  if (scheme <= 0) return;
  LineAttrs.ApplyScheme(scheme);
  SetBackColor(LineAttrs.Color);
  if (!Syntax) return;
  TSymAttrs& attrs = Syntax->Attrs();
  attrs.SetDefaults();
  if (scheme != 4) return;
  for (TSymAttr* attr : {&attrs.Integers(), &attrs.Floats()}) attr->Color = clYellow;
  for (TSymAttr* attr : {&attrs.Symbols(), &attrs.Text()}) attr->Color = clAqua;
  for (TSymAttr* attr : {&attrs.Funcs(), &attrs.Reserved(), &attrs.Consts()}) attr->Color = clWhite;
  attrs.Strings().Color = clFuchsia;
  attrs.Comments().Color = clSilver;
  for (TSymAttr* attr : {&attrs.Binaries(), &attrs.Hexs()}) attr->Color = clLime;
}

// Byte by byte: a token's class covers its bytes.
void TConsole::TokenizeLine(const std::string& text, TLineData& data) {
  if (!Syntax) return;
  TSyntaxLine open(*Syntax, text);
  while (!Syntax->AtEnd()) {
    const TSymKind kind = Syntax->NextKind();
    const int start = Syntax->TokenStart();
    for (int i = 0; i < Syntax->TokenLength(); ++i) data.SetToken(start + i, kind == skEndOfLine ? TSymKind{skText} : kind);
  }
}

void TConsole::CopyLookFrom(TConsole& other) {
  if (Syntax && other.Syntax) Syntax->Attrs().Assign(other.Syntax->Attrs());
  LineAttrs.Assign(other.LineAttrs);
  SetBackColor(other.GetBackColor());
}

void TConsole::LoadLineAttrs(const std::string& section) {
  LineAttrs.LoadFromStorage(section);
  SetBackColor(LineAttrs.Color);
}

void TConsole::SaveLineAttrs(const std::string& section) {
  LineAttrs.Color = GetBackColor();
  LineAttrs.SaveToStorage(section);
}

TColor TConsole::GetBackColor() const { return Tree->Color(); }

void TConsole::SetBackColor(TColor color) {
  if (Tree->Color() != color) Tree->SetColor(color);
}

void TConsole::RefreshView() { Tree->Repaint(); }

void TConsole::SetPreviewMode(TNotifyEvent onClick) {
  Tree->SetAlign(alTop);
  TCustomDataTreeOptions& options = Tree->TreeOptions();
  TDTPaintOptions paint = options.PaintOptions();
  paint.Exclude(toShowRoot);
  options.SetPaintOptions(paint);
  TDTSelectionOptions selection = options.SelectionOptions();
  selection.Exclude(toMultiSelect);
  options.SetSelectionOptions(selection);
  Tree->OnClick = std::move(onClick);
}

TLineData* TConsole::SelectedLineData() {
  TConsLineRec* line = LineRecord(Tree->FirstSelectedNode());
  return line ? &line->Data : nullptr;
}
