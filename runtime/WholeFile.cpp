#include "runtime/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool ReadWholeFile(const std::string& FileName, std::string& Content) {
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  Content.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      errno = error;
      return false;
    }
    Content.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return true;
}
