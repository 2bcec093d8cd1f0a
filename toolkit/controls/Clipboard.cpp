#include "toolkit/controls/Clipboard.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "toolkit/win/RegisteredNames.h"

namespace {

bool IsText(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT; }
bool IsImage(UINT format) { return format == CF_BITMAP || format == CF_DIB; }

TMemoryClipboardStore DefaultStore;
IClipboardStore* Store = &DefaultStore;

}  // namespace

UINT RegisterClipboardFormat(const std::string& name) { return RegisterName(name); }

std::string GetClipboardFormatName(UINT format) { return RegisteredName(format); }

std::string ClipboardFormatName(UINT format) {
  if (format == CF_ENHMETAFILE) return "CF_ENHMETAFILE";
  if (format == CF_METAFILEPICT) return "CF_METAFILEPICT";
  return GetClipboardFormatName(format);
}

bool TClipboard::Open() {
  if (openCount_ == 0 && !Store->Open()) return false;
  if (openCount_++ == 0) emptied_ = false;
  return true;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) Store->Close();
}

void TClipboard::OpenForChange() {
  if (!Open()) throw EQuantrelError("Cannot open clipboard");
  // The first change of an opening replaces what the clipboard held.
  if (!emptied_) {
    Store->Clear();
    emptied_ = true;
  }
}

void TClipboard::Clear() {
  OpenForChange();
  Close();
}

bool TClipboard::HasFormat(UINT format) const { return Store->HasFormat(format); }

std::string TClipboard::AsText() const { return Store->Text(); }

void TClipboard::SetAsText(const std::string& text) {
  OpenForChange();
  Store->SetText(text);
  Close();
}

CountedPtr<TGdiBitmap> TClipboard::Image() const { return Store->Image(); }

void TClipboard::SetImage(const TGdiBitmap& image) {
  OpenForChange();
  Store->SetImage(image);
  Close();
}

std::vector<std::uint8_t> TClipboard::Data(UINT format) const {
  if (IsText(format)) {
    const std::string text = Store->Text();
    return {text.begin(), text.end()};
  }
  return Store->Data(ClipboardFormatName(format));
}

void TClipboard::SetData(UINT format, std::vector<std::uint8_t> data) {
  if (IsText(format)) {
    SetAsText(std::string(data.begin(), data.end()));
    return;
  }
  const std::string name = ClipboardFormatName(format);
  if (name.empty()) return;
  OpenForChange();
  Store->SetData(name, std::move(data));
  Close();
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

void SetClipboardStore(IClipboardStore* store) { Store = store ? store : &DefaultStore; }

void TMemoryClipboardStore::Clear() {
  hasText_ = false;
  text_.clear();
  image_ = nullptr;
  data_.clear();
}

bool TMemoryClipboardStore::HasFormat(UINT format) const {
  if (IsText(format)) return hasText_;
  if (IsImage(format)) return image_ != nullptr;
  const std::string name = ClipboardFormatName(format);
  return std::any_of(data_.begin(), data_.end(), [&name](const auto& entry) { return entry.first == name; });
}

void TMemoryClipboardStore::SetText(const std::string& text) {
  hasText_ = true;
  text_ = text;
}

void TMemoryClipboardStore::SetImage(const TGdiBitmap& image) { image_ = CountedPtr<TGdiBitmap>(image.Clone().release()); }

std::vector<std::uint8_t> TMemoryClipboardStore::Data(const std::string& formatName) const {
  for (const auto& [name, data] : data_)
    if (name == formatName) return data;
  return {};
}

void TMemoryClipboardStore::SetData(const std::string& formatName, std::vector<std::uint8_t> data) {
  for (auto& [name, stored] : data_)
    if (name == formatName) {
      stored = std::move(data);
      return;
    }
  data_.emplace_back(formatName, std::move(data));
}
