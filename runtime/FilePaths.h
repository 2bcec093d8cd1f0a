#pragma once
// Files and folders as the windows name them: whether a name is an existing
// file or folder, when two names are the same file, and which entries of a
// folder match a mask.

#include <filesystem>
#include <string>
#include <vector>

bool IsExistingFile(const std::string& fileName);
bool IsExistingFolder(const std::string& folder);
// Links, "." and ".." resolved; the path as written when it cannot be.
std::string CanonicalPath(const std::string& fileName);
// The same file however the names are written (links, "." and "..", a
// trailing "/"); for names of no existing file, the same resolved path.
bool SameFile(const std::string& a, const std::string& b);
// The existing file folder + "/" + name, where each part of name (between
// "/") that does not exist as written is matched ignoring ASCII case, for
// files named on a file system that ignores case; empty when there is none.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);
// Masks are "*" followed by an ending, compared ignoring case.
bool MatchesMask(const std::string& name, const std::string& mask);
// The entries of a folder in name order, so every machine lists them in the
// same order; an unreadable folder has none.
std::vector<std::filesystem::directory_entry> SortedEntries(const std::string& folder);
