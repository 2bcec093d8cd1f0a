#include "console/Console.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "console/Sounds.h"
#include "console/Syntax.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Timer.h"
#include "treeview/DataTreeOptions.h"

// The node (64 bytes) and this record are most of what a listed row costs.
static_assert(sizeof(TConsLineRec) == 24);

namespace {

// Arriving lines are shown at most this often (milliseconds).
constexpr unsigned ShowInterval = 40;

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

TLineData::TLineData(std::uint8_t kind, int level, std::string_view text, TLineStore& store) : Kind(kind), Level(level) {
  if (text.empty()) return;
  const auto length = static_cast<std::int32_t>(text.size());
  block_ = store.Allocate(sizeof length + text.size() + (text.size() + 1) / 2);
  std::memcpy(block_, &length, sizeof length);
  std::memcpy(block_ + sizeof length, text.data(), text.size());
}

int TLineData::Length() const {
  std::int32_t length = 0;
  if (block_) std::memcpy(&length, block_, sizeof length);
  return length;
}

std::string_view TLineData::Text() const {
  if (!block_) return {};
  return {reinterpret_cast<const char*>(block_ + sizeof(std::int32_t)), static_cast<std::size_t>(Length())};
}

std::uint8_t* TLineData::Tokens() const {
  return reinterpret_cast<std::uint8_t*>(block_ + sizeof(std::int32_t) + Length());
}

// Two classes to a byte: the even position in the low half.
std::uint8_t TLineData::GetToken(int position) const {
  QASSERT(position >= 0 && position < Length(), "6B1C0E24");
  return (Tokens()[position / 2] >> (position % 2 * 4)) & 0x0F;
}

void TLineData::SetToken(int position, std::uint8_t kind) {
  QASSERT(position >= 0 && position < Length(), "6B1C0E25");
  QASSERT(kind < 16, "6B1C0E28");
  std::uint8_t& pair = Tokens()[position / 2];
  const int shift = position % 2 * 4;
  pair = static_cast<std::uint8_t>((pair & ~(0x0F << shift)) | kind << shift);
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
  Tree->OnGetNodeWidth = [this](TCustomDataDrawTree*, TCanvas& canvas, PDataNode node, TColumnIndex, int& width) {
    if (TConsLineRec* line = LineRecord(node)) width = MeasuredWidth(canvas, *line);
  };
  OnResize = [this](TObject*) { FrameResize(); };
  ConsoleIntf = MakeCounted<TConsInt>(this);
  showTimer_ = new TTimer(this);
  showTimer_->SetEnabled(false);
  showTimer_->SetInterval(ShowInterval);
  showTimer_->SetOnTimer([this](TObject*) { ShowArrivedLines(); });
}

// The lines go before the tree: freeing them needs nothing of the console.
TConsole::~TConsole() {
  static_cast<TConsInt&>(*ConsoleIntf).Console = nullptr;
  showTimer_->SetEnabled(false);
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
  TLineData data(kind, level, text, store_);
  if (!text.empty()) TokenizeLine(text, data);
  OpenArrivals();
  const PDataNode node = Tree->AppendChildNode(ParentForLevel(level));
  Tree->EnsureNodeInitialized(node, false);
  void* place = Tree->NodeUserData(node);
  QASSERT(reinterpret_cast<std::uintptr_t>(place) % alignof(TConsLineRec) == 0, "6B1C0E27");
  new (place) TConsLineRec{UnmeasuredWidth, data};
  Tree->SetFocusedNode(node);
  PlayLineSound(kind);
}

void TConsole::OpenArrivals() {
  if (arriving_) return;
  arriving_ = true;
  Tree->BeginUpdate();
  showTimer_->SetEnabled(true);
}

// The newest line is scrolled into view before the bracket closes, so the
// scroll bars are set once, for the rows then shown; a horizontal bar that
// appears with them may cover that line, hence the second look.
void TConsole::ShowArrivedLines() {
  if (!arriving_) return;
  arriving_ = false;
  showTimer_->SetEnabled(false);
  const PDataNode newest = Tree->FocusedNode();
  if (newest) Tree->ScrollNodeIntoView(newest, false);
  Tree->EndUpdate();
  if (newest) Tree->ScrollNodeIntoView(newest, false);
}

void TConsole::Clear() {
  Tree->Clear();
  store_.Clear();
}

int TConsole::LineCount() const { return static_cast<int>(Tree->RootNodeCount()); }

int TConsole::SelectedCount() const { return Tree->SelectionCount(); }

void TConsole::CopySelection() {
  std::string text;
  for (PDataNode node = Tree->FirstSelectedNode(); node; node = Tree->NextSelectedNode(node)) {
    const TConsLineRec* line = LineRecord(node);
    if (!line) continue;
    if (ShowPrefixInCopy) text += " " + LineAttrs.AttrOfKind(line->Data.Kind).PrefixStr;
    text += line->Text();
    text += "\r\n";
  }
  if (!Copier.PutText(text)) AddLine("Failed to copy console to the clipboard", lkError, 0);
}

// Children first (tree order backwards), inside one update bracket; a line
// without nested lines has nothing to open or close. The lines that arrived
// are shown first, as each line is scrolled into view when added.
void TConsole::ExpandToLevel(int level) {
  ShowArrivedLines();
  Tree->BeginUpdate();
  for (PDataNode node = Tree->LastNodeInOrderRaw(nullptr); node; node = Tree->PrevNodeInOrderRaw(node))
    if (const TConsLineRec* line = LineRecord(node); line && node->ChildCount > 0)
      Tree->SetNodeExpanded(node, line->Data.Level < level);
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

void TConsole::RefreshView() {
  ShowArrivedLines();
  Tree->Repaint();
}

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
