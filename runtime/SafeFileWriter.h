#pragma once
// Writing a file so that it is either replaced whole or left as it was.
// The text goes to a new hidden file beside the target (beside the file a
// link leads to, so that the link stays a link); the new file takes the
// target's permissions, reaches the disk, and only then takes the target's
// name. A failure at any step, a full device or a crash included, leaves
// the old file untouched. Every writer of settings, workspace, variable,
// desktop and picture files goes through it.

#include <cstddef>
#include <cstdio>
#include <string>

class TSafeFileWriter {
public:
  // Nothing is created before Open.
  explicit TSafeFileWriter(const std::string& fileName);
  ~TSafeFileWriter();  // an uncommitted new file is removed
  TSafeFileWriter(const TSafeFileWriter&) = delete;
  TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

  // Creates the new file; false, with Error set, when it cannot be made
  // (the target is a folder, the folder cannot be written).
  bool Open();
  bool Write(const void* data, std::size_t count);
  bool WriteByte(unsigned char byte);
  // Flushes to the disk and renames over the target; false, with Error set
  // and the old file untouched, when any step fails.
  bool Commit();
  // Removes the new file; the target stays as it was.
  void Discard();

  // The file replaced: the target, or the file its links lead to.
  const std::string& Path() const { return path_; }
  // The errno of the first failure; 0 while none.
  int Error() const { return error_; }

private:
  bool Fail();

  std::string path_;
  std::string temporaryPath_;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

// Replaces the content of fileName with text, creating the file (and its
// folder) when it does not exist; false, with errno set, when that fails.
bool WriteFileSafely(const std::string& fileName, const std::string& text);

// Replaces the content of fileName with size bytes, in a folder that must
// exist; throws EFCreateError ("Cannot create file" with the quoted name
// and the reason) when that fails, leaving any old file as it was.
void ReplaceFileContent(const std::string& fileName, const void* data, std::size_t size);
