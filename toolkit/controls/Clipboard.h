#pragma once
// The clipboard: text, images and data of registered formats. Where the
// contents live is a replaceable store: the desktop's clipboard in the
// program, memory in tests. Text is UTF-8 whichever text format names it.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/base/Handles.h"
#include "toolkit/gdi/GdiBitmap.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_ENHMETAFILE = 14;

class IClipboardStore {
public:
  virtual ~IClipboardStore() = default;
  // False when the clipboard cannot be had now.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual void Clear() = 0;
  virtual bool HasFormat(UINT format) const = 0;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual CountedPtr<TGdiBitmap> Image() const = 0;
  virtual void SetImage(const TGdiBitmap& image) = 0;
  // Data of a registered format, under its name.
  virtual std::vector<std::uint8_t> Data(const std::string& formatName) const = 0;
  virtual void SetData(const std::string& formatName, std::vector<std::uint8_t> data) = 0;
};

// Registered formats are numbered from 0xC000, one number per name (names ignore case).
UINT RegisterClipboardFormat(const std::string& name);
std::string GetClipboardFormatName(UINT format);
// The name a store keeps a format's data under: its registered name, or
// "CF_ENHMETAFILE" and "CF_METAFILEPICT" for the metafile formats, whose
// data are the bytes of an EMF and a WMF file. Empty for other formats.
std::string ClipboardFormatName(UINT format);

class TClipboard {
public:
  // Between Open and Close, changes go to the store as one new content.
  bool Open();
  void Close();
  void Clear();
  bool HasFormat(UINT format) const;
  std::string AsText() const;
  void SetAsText(const std::string& text);
  CountedPtr<TGdiBitmap> Image() const;
  void SetImage(const TGdiBitmap& image);
  std::vector<std::uint8_t> Data(UINT format) const;
  void SetData(UINT format, std::vector<std::uint8_t> data);

private:
  // Opens (once more) for a change; throws when the clipboard cannot be had.
  void OpenForChange();

  int openCount_ = 0;
  bool emptied_ = false;
};

TClipboard& Clipboard();
// Installs the store (the caller keeps ownership); nullptr: an in-memory one.
void SetClipboardStore(IClipboardStore* store);

// A clipboard in memory, for tests and for running without a desktop.
class TMemoryClipboardStore : public IClipboardStore {
public:
  // While busy, Open fails as when another program holds the clipboard.
  bool Busy = false;

  bool Open() override { return !Busy; }
  void Close() override {}
  void Clear() override;
  bool HasFormat(UINT format) const override;
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  CountedPtr<TGdiBitmap> Image() const override { return image_; }
  void SetImage(const TGdiBitmap& image) override;
  std::vector<std::uint8_t> Data(const std::string& formatName) const override;
  void SetData(const std::string& formatName, std::vector<std::uint8_t> data) override;

private:
  bool hasText_ = false;
  std::string text_;
  CountedPtr<TGdiBitmap> image_;
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> data_;
};
