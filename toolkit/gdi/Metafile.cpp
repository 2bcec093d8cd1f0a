#include "toolkit/gdi/Metafile.h"

#include "runtime/SafeFileWriter.h"

void TMetafile::SaveToFile(const std::string& fileName) const { ReplaceFileContent(fileName, bytes_.data(), bytes_.size()); }
