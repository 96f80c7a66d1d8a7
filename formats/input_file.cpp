#include "formats/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zenphal {
namespace {

std::string Describe(FileReadError::Kind kind, const std::string& reason) {
  switch (kind) {
    case FileReadError::Kind::kDirectory: return "is a directory, not a file";
    case FileReadError::Kind::kNotRegular: return "is not a regular file (a device, FIFO or socket); not read";
    case FileReadError::Kind::kTooLarge: return "larger than 64 MiB; not a structure file";
    case FileReadError::Kind::kReadFailed: return "cannot read: " + reason;
    default: return "cannot open: " + reason;
  }
}

// Closes the descriptor however reading ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

FileReadError::FileReadError(Kind kind_, std::string path_, std::string reason_)
    : std::runtime_error(path_ + ": " + Describe(kind_, reason_)),
      kind(kind_),
      path(std::move(path_)),
      reason(std::move(reason_)) {}

std::string ReadInputFile(const std::string& path) {
  using Kind = FileReadError::Kind;
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) {
    const int error = errno;
    const Kind kind = error == ENOENT || error == ENOTDIR ? Kind::kNotFound
                      : error == EACCES || error == EPERM ? Kind::kAccessDenied
                      : error == EISDIR                   ? Kind::kDirectory
                                                          : Kind::kOpenFailed;
    throw FileReadError(kind, path, std::strerror(error));
  }
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) throw FileReadError(Kind::kOpenFailed, path, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) throw FileReadError(Kind::kDirectory, path, "is a directory");
  if (!S_ISREG(info.st_mode)) throw FileReadError(Kind::kNotRegular, path, "not a regular file");
  if (static_cast<unsigned long long>(info.st_size) > kMaxInputBytes) {
    throw FileReadError(Kind::kTooLarge, path, "larger than 64 MiB");
  }
  std::string content;
  content.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  while (true) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileReadError(Kind::kReadFailed, path, std::strerror(errno));
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
    // The file may grow while it is read.
    if (content.size() > kMaxInputBytes) throw FileReadError(Kind::kTooLarge, path, "larger than 64 MiB");
  }
  return content;
}

}  // namespace zenphal
