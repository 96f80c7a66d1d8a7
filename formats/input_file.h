#pragma once
// Reading an input file whole: structure files and stored documents, for the
// command line and the desktop application alike.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace zenphal {

// No real structure file comes near this (structures hold at most 32767
// bases); the cap keeps endless or huge sources from exhausting memory.
inline constexpr size_t kMaxInputBytes = size_t{64} << 20;

// Why a file could not be read. what() is one line naming the file:
// "PATH: cannot open: No such file or directory".
class FileReadError : public std::runtime_error {
 public:
  enum class Kind {
    kNotFound,      // no such file (or a folder on the way is missing)
    kAccessDenied,  // no permission to read it
    kDirectory,     // a folder, not a file
    kNotRegular,    // a device, FIFO or socket: never read, never waited on
    kTooLarge,      // more than kMaxInputBytes
    kOpenFailed,    // any other reason it could not be opened
    kReadFailed,    // opened, but reading failed
  };
  FileReadError(Kind kind, std::string path, std::string reason);
  Kind kind;
  std::string path;
  std::string reason;  // the system's words, or what is wrong
};

// The file's bytes. Regular files only (symbolic links to them are
// followed); opening never blocks. Throws FileReadError.
std::string ReadInputFile(const std::string& path);

}  // namespace zenphal
