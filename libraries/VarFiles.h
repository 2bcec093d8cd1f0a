#pragma once
// Variable files "*.xvar" and workspace files "*.xws", read and written
// through the data-source type "file" in the value encoding of
// VarEncoding.h. There is no magic number and no version field.
//
//   variable file    a kind line, then the value
//   workspace file   a count line N, then N times: a name line, a kind
//                    line and the value
//
// A workspace file holds the variables of the library Workspace whose kind
// has a name of its own, in the order ForEachVariable visits them.
//
// Writers compose the whole file before the file is opened, so a variable
// that cannot be written leaves an existing file as it was; loading a
// workspace reads the whole file before it replaces the workspace, so a
// file that does not read leaves the workspace as it was.

#include <string>

class TVar;

bool SaveVariableFile(TVar* V, const std::string& Path);
// A new Workspace variable Name of the kind the file names; nothing stays
// of a variable whose value does not read.
bool LoadVariableFile(const std::string& Path, const std::string& Name);
// A workspace without storable variables writes the count 0.
bool SaveWorkspaceFile(const std::string& Path);
// Tells the data clients that variables changed, whether or not it loaded.
bool LoadWorkspaceFile(const std::string& Path);
