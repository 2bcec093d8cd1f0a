#include "runtime/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "runtime/Exceptions.h"

namespace {

std::atomic<unsigned> NextSerial{0};

// The file at the end of the links; a target that does not exist yet is
// itself.
std::string LinkedPath(const std::string& fileName) {
  std::error_code error;
  const std::filesystem::path file = std::filesystem::canonical(fileName, error);
  return error ? fileName : file.string();
}

}  // namespace

TSafeFileWriter::TSafeFileWriter(const std::string& fileName) : path_(LinkedPath(fileName)) {}

TSafeFileWriter::~TSafeFileWriter() { Discard(); }

bool TSafeFileWriter::Fail() {
  if (error_ == 0) error_ = errno != 0 ? errno : EIO;
  Discard();
  return false;
}

// A hidden name in the target's folder, so that the rename is atomic.
bool TSafeFileWriter::Open() {
  Discard();
  error_ = 0;
  struct stat target;
  const bool exists = ::stat(path_.c_str(), &target) == 0;
  if (exists && S_ISDIR(target.st_mode)) {
    errno = EISDIR;
    return Fail();
  }
  const std::size_t slash = path_.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path_.substr(0, slash + 1);
  const std::string name = path_.substr(slash == std::string::npos ? 0 : slash + 1);
  int handle = -1;
  for (int attempt = 0; attempt < 100 && handle < 0; ++attempt) {
    temporaryPath_ = folder + "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(NextSerial++);
    handle = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle < 0 && errno != EEXIST) break;
  }
  if (handle < 0) {
    temporaryPath_.clear();
    return Fail();
  }
  // The replacement keeps the permissions of the file it replaces.
  if (exists && ::fchmod(handle, target.st_mode & 07777) != 0) {
    ::close(handle);
    return Fail();
  }
  file_ = ::fdopen(handle, "wb");
  if (!file_) {
    ::close(handle);
    return Fail();
  }
  return true;
}

bool TSafeFileWriter::Write(const void* data, std::size_t count) {
  if (!file_) return false;
  if (std::fwrite(data, 1, count, file_) == count) return true;
  return Fail();
}

bool TSafeFileWriter::WriteByte(unsigned char byte) {
  if (!file_) return false;
  if (std::putc(byte, file_) != EOF) return true;
  return Fail();
}

bool TSafeFileWriter::Commit() {
  if (!file_) return false;
  const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
  int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) {
    if (!flushed) errno = flushError;
    return Fail();
  }
  if (::rename(temporaryPath_.c_str(), path_.c_str()) != 0) return Fail();
  temporaryPath_.clear();
  return true;
}

void TSafeFileWriter::Discard() {
  const int error = errno;
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
  errno = error;
}

bool WriteFileSafely(const std::string& fileName, const std::string& text) {
  TSafeFileWriter writer(fileName);
  const std::filesystem::path folder = std::filesystem::path(writer.Path()).parent_path();
  std::error_code error;
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  if (error) {
    errno = error.value();
    return false;
  }
  if (writer.Open() && writer.Write(text.data(), text.size()) && writer.Commit()) return true;
  errno = writer.Error();
  return false;
}

void ReplaceFileContent(const std::string& fileName, const void* data, std::size_t size) {
  TSafeFileWriter writer(fileName);
  if (writer.Open() && writer.Write(data, size) && writer.Commit()) return;
  throw EFCreateError(fileName, std::strerror(writer.Error()));
}
