#pragma once
// The picture registry: which picture class reads files of which extension,
// and a picture that loads a file through it. Registrations are searched
// from the most recent back, so a later class takes an extension over.

#include <memory>
#include <string>
#include <typeindex>

#include "toolkit/gdi/Graphic.h"

// A picture class: what it is, and how one is made.
struct TGraphicClass {
  std::type_index Type;
  std::unique_ptr<TGraphic> (*Make)();
};

template <class T>
TGraphicClass GraphicClassOf() {
  return {typeid(T), [] { return std::unique_ptr<TGraphic>(new T); }};
}

class TPicture {
public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // The extension without its dot, compared without regard to case.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 const TGraphicClass& graphicClass);
  // Removes every registration of the class.
  static void UnregisterGraphicClass(const TGraphicClass& graphicClass);
  // The description registered last for the extension; empty when none is.
  static std::string FileFormatDescription(const std::string& extension);

  // Reads the file with the class registered for its extension; an unknown
  // one raises EInvalidGraphic "Unknown picture file extension (.xyz)", and
  // the picture held before stays when reading fails.
  void LoadFromFile(const std::string& fileName);
  // Null when the picture holds none.
  TGraphic* Graphic() const { return graphic_.get(); }

private:
  std::unique_ptr<TGraphic> graphic_;
};
