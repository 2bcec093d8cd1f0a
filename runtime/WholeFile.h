#pragma once
// Reading a file whole, as bytes: the library, settings, sound and data
// files that are read at once all come through here.

#include <string>

// The file's whole content into Content. False when the file cannot be
// opened or not be read to its end (a folder, an I/O error); errno then
// says why (ENOENT: there is no such file).
bool ReadWholeFile(const std::string& FileName, std::string& Content);
