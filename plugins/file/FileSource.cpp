// The "file" data source: reads an existing file from its first byte, or
// writes a file through the safe writer, which replaces the target only on
// a clean close, so a failed or interrupted save leaves the previous file
// as it was.
//
// The specifier is the path: absolute, or relative to the Files folder.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "plugins/DataSource.h"
#include "runtime/Quoted.h"
#include "runtime/SafeFileWriter.h"

namespace {

std::string SystemError() { return std::strerror(errno); }

class TFileSource final : public TDataSource {
protected:
  const char* TypeName() const override { return "file"; }
  std::uint8_t Flags() const override { return QIO_FLAG_FILE_NAME; }

  bool Open(QIOParams& params, std::uint8_t mode) override {
    if (reading_ || writer_) return Fail("The file is open already");
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
    if (!reading_) return Fail("The file is not open for reading");
    const int c = std::getc(reading_.get());
    if (c != EOF) {
      byte = static_cast<std::uint8_t>(c);
      return true;
    }
    return Fail(std::ferror(reading_.get()) ? "Cannot read file " + Quoted(path_) + ": " + SystemError() : "End of file");
  }

  bool WriteByte(std::uint8_t byte) override {
    if (!writer_) return Fail("The file is not open for writing");
    if (writer_->WriteByte(byte)) return true;
    return WriteFailed();
  }

  // A clean close replaces the target; after a failed write the target stays.
  void Close() override {
    if (writer_ && !writeFailed_ && !writer_->Commit()) WriteFailed();
    writer_.reset();
    reading_.reset();
    writeFailed_ = false;
  }

private:
  bool OpenForReading() {
    reading_.reset(std::fopen(path_.c_str(), "rb"));
    if (!reading_) return Fail("Cannot open file " + Quoted(path_) + ": " + SystemError());
    struct stat info;
    if (fstat(fileno(reading_.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
      reading_.reset();
      return Fail("Cannot open file " + Quoted(path_) + ": " + std::strerror(EISDIR));
    }
    ClearLastError();
    return true;
  }

  bool OpenForWriting() {
    writer_ = std::make_unique<TSafeFileWriter>(path_);
    if (!writer_->Open()) {
      errno = writer_->Error();
      writer_.reset();
      return Fail("Cannot create file " + Quoted(path_) + ": " + SystemError());
    }
    ClearLastError();
    return true;
  }

  bool WriteFailed() {
    writeFailed_ = true;
    errno = writer_->Error();
    return Fail("Cannot write file " + Quoted(path_) + ": " + SystemError());
  }

  struct TCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::string path_;
  std::unique_ptr<std::FILE, TCloser> reading_;
  std::unique_ptr<TSafeFileWriter> writer_;  // while writing
  bool writeFailed_ = false;
};

}  // namespace

QIO_EXPORT QIOInOut* CreateIO() { return new (std::nothrow) TFileSource; }
