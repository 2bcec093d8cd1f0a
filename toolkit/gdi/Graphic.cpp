#include "toolkit/gdi/Graphic.h"

#include <fstream>

#include "runtime/Exceptions.h"

void TGraphic::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EQuantrelError("Cannot open file \"" + fileName + "\"");
  LoadFromStream(file);
}

void TGraphic::CannotAssign(const TGraphic& source) const {
  throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}
