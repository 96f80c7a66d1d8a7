#pragma once
// Every file the programs write goes through here: a temporary file in the
// target's folder, every write, the sync and the close checked, then a rename
// over the target. On any failure the old file is untouched, the temporary
// is gone, and the error names the file and the reason.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zenphal {

// "PATH: cannot create: No such file or directory", "PATH: cannot write: No
// space left on device", ...
class WriteError : public std::runtime_error {
 public:
  WriteError(std::string path, std::string what, std::string reason);
  std::string path;    // the target, as given
  std::string reason;  // the system's words
};

// Replaces (or creates) the file at path with bytes, atomically. A symbolic
// link is written through: the file it names is replaced. A new file gets
// the permissions the process's umask allows; a replaced one keeps its own.
// A target that exists and is not a regular file (/dev/null, /dev/stdout, a
// FIFO) is written to directly, never replaced. Throws WriteError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Several files that belong together, written all or nothing: each is
// written in full to its temporary first (Stage), and only when all are
// there do they replace their targets (Commit). Signals that end the
// program are held back while the targets are replaced, so an interrupt
// leaves either every old file or every new one. Destroying the set before
// Commit removes the temporaries and leaves every target as it was.
class OutputSet {
 public:
  OutputSet() = default;
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;
  ~OutputSet();

  // Writes bytes to a temporary beside path. Throws WriteError (and keeps
  // nothing of this file) on failure.
  void Stage(const std::string& path, std::string_view bytes);
  // Replaces every target by its staged file. Throws WriteError when a
  // target cannot be replaced; the targets replaced before it are then put
  // back as they were.
  void Commit();

 private:
  // Renames the staged temporaries over their targets, all or none.
  void ReplaceFiles();
  struct Staged {
    std::string path;       // as given, for messages
    std::string target;     // symbolic links resolved
    std::string temporary;  // empty for a target that is not a regular file
    std::string bytes;      // what such a target gets, written at Commit
  };
  std::vector<Staged> staged_;
};

// Fails as Stage would for a target that cannot be written (a missing
// folder, no permission, a directory in the way), without writing it: for
// checking every output before long work. Creates and removes a temporary.
void CheckCanWrite(const std::string& path);

// Whether two paths name one file: the same device and inode when both
// exist (links, "./" and ".." see through), the same canonical path when
// neither does. Symbolic links are followed.
bool SameFile(const std::string& a, const std::string& b);

// Removes every temporary that a set in this process has staged and not yet
// committed or removed: for a signal handler that ends the program. Uses
// only async-signal-safe calls.
void RemoveStagedFilesOnSignal();

}  // namespace zenphal
