// The "file" data source: reads an existing file from its first byte, or
// writes a file. Writing goes to a fresh file beside the target, which
// replaces the target only on a clean close, so a failed or interrupted
// save leaves the previous file as it was.
//
// The specifier is the path: absolute, or relative to the Files folder.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "plugins/DataSource.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SystemError() { return std::strerror(errno); }

class TFileSource final : public TDataSource {
public:
  ~TFileSource() override { Discard(); }

protected:
  const char* TypeName() const override { return "file"; }
  std::uint8_t Flags() const override { return QIO_FLAG_FILE_NAME; }

  bool Open(QIOParams& params, std::uint8_t mode) override {
    if (file_) return Fail("The file is open already");
    const std::string spec = ParamValue(params, "spec");
    if (spec.empty()) return Fail("No file name given");
    path_ = spec.front() == '/' ? spec : FilesFolder(params) + spec;
    switch (mode) {
      case QIO_MODE_READ: return OpenForReading();
      case QIO_MODE_WRITE: return OpenForWriting();
      default: return Fail("Unknown open mode " + std::to_string(mode));
    }
  }

  bool ReadByte(std::uint8_t& byte) override {
    if (!file_ || writing_) return Fail("The file is not open for reading");
    const int c = std::getc(file_);
    if (c != EOF) {
      byte = static_cast<std::uint8_t>(c);
      return true;
    }
    return Fail(std::ferror(file_) ? "Cannot read file " + Quoted(path_) + ": " + SystemError() : "End of file");
  }

  bool WriteByte(std::uint8_t byte) override {
    if (!file_ || !writing_) return Fail("The file is not open for writing");
    if (std::putc(byte, file_) != EOF) return true;
    writeFailed_ = true;
    return Fail("Cannot write file " + Quoted(path_) + ": " + SystemError());
  }

  void Close() override {
    if (writing_ && file_ && !writeFailed_) Commit();
    Discard();
  }

private:
  bool OpenForReading() {
    file_ = std::fopen(path_.c_str(), "rb");
    if (!file_) return Fail("Cannot open file " + Quoted(path_) + ": " + SystemError());
    struct stat info;
    if (fstat(fileno(file_), &info) == 0 && S_ISDIR(info.st_mode)) {
      Discard();
      return Fail("Cannot open file " + Quoted(path_) + ": " + std::strerror(EISDIR));
    }
    ClearLastError();
    return true;
  }

  bool OpenForWriting() {
    struct stat target;
    const bool targetExists = stat(path_.c_str(), &target) == 0;
    if (targetExists && S_ISDIR(target.st_mode))
      return Fail("Cannot create file " + Quoted(path_) + ": " + std::strerror(EISDIR));
    if (targetExists) ResolveLinks();
    const int handle = CreateTemporary();
    if (handle < 0) return Fail("Cannot create file " + Quoted(path_) + ": " + SystemError());
    // The replacement keeps the permissions of the file it replaces.
    if (targetExists) fchmod(handle, target.st_mode & 07777);
    file_ = fdopen(handle, "wb");
    if (!file_) {
      close(handle);
      Discard();
      return Fail("Cannot create file " + Quoted(path_) + ": " + SystemError());
    }
    writing_ = true;
    ClearLastError();
    return true;
  }

  // Replacing a link would leave the file it points to unchanged and the
  // link gone: the new file replaces the file at the end of the links.
  void ResolveLinks() {
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(path_, error);
    if (!error) path_ = file.string();
  }

  // A new file in the target's folder (so that renaming it over the target
  // is atomic), named after the target and hidden.
  int CreateTemporary() {
    const std::size_t slash = path_.rfind('/');
    const std::string folder = path_.substr(0, slash + 1);
    const std::string name = path_.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
      temporaryPath_ = folder + "." + name + "." + std::to_string(getpid()) + "." + std::to_string(NextSerial++);
      const int handle = open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (handle >= 0 || errno != EEXIST) return handle;
    }
    return -1;
  }

  // Everything written reaches the disk before the new file takes the
  // target's name.
  void Commit() {
    const bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed || std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
      Fail("Cannot write file " + Quoted(path_) + ": " + SystemError());
      return;
    }
    temporaryPath_.clear();
  }

  // Closes without completing: an unfinished new file is removed.
  void Discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }

  static inline unsigned NextSerial = 0;

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string temporaryPath_;  // while writing: the new file, until it replaces path_
  bool writing_ = false;
  bool writeFailed_ = false;
};

}  // namespace

QIO_EXPORT QIOInOut* CreateIO() { return new (std::nothrow) TFileSource; }
