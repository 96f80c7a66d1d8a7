#include "output/file_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace zenphal {
namespace {

namespace fs = std::filesystem;

std::string SystemReason(int error) { return std::strerror(error); }

// The target a write should replace: a symbolic link's file rather than the
// link itself, even when that file does not exist yet.
std::string ResolveTarget(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
  fs::path resolved = fs::absolute(path, error);
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(resolved, error)); ++hops) {
    const fs::path target = fs::read_symlink(resolved, error);
    if (error) return path;
    resolved = target.is_absolute() ? target : resolved.parent_path() / target;
  }
  resolved = fs::weakly_canonical(resolved, error);
  return error ? path : resolved.string();
}

std::string FolderOf(const std::string& target) {
  const fs::path parent = fs::path(target).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

// The permissions of a new file: 0666 less the process's umask, read without
// changing it (umask() would, for every thread at once).
mode_t NewFileMode() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  }
  return 0644;
}

// The temporaries staged and not yet renamed or removed, for the signal
// handler: fixed slots of fixed-size paths, so it reads them without locks
// or allocation.
constexpr size_t kSlots = 16;
constexpr size_t kSlotPath = 4096;
struct Slot {
  std::atomic<bool> used{false};
  char path[kSlotPath];
};
std::array<Slot, kSlots> slots;
std::mutex slotMutex;

int TakeSlot(const std::string& temporary) {
  if (temporary.size() >= kSlotPath) return -1;
  const std::lock_guard lock(slotMutex);
  for (size_t i = 0; i < kSlots; ++i) {
    if (!slots[i].used.load()) {
      std::memcpy(slots[i].path, temporary.c_str(), temporary.size() + 1);
      slots[i].used.store(true);
      return static_cast<int>(i);
    }
  }
  return -1;
}

void ReleaseSlot(const std::string& temporary) {
  const std::lock_guard lock(slotMutex);
  for (Slot& slot : slots) {
    if (slot.used.load() && temporary == slot.path) slot.used.store(false);
  }
}

// Writes bytes to a new temporary beside target; returns its path. Throws
// WriteError naming path.
std::string WriteTemporary(const std::string& path, const std::string& target, std::string_view bytes) {
  const std::string name = fs::path(target).filename().string();
  std::string temporary = (fs::path(FolderOf(target)) / ("." + name + ".zenphal-XXXXXX")).string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) throw WriteError(path, "cannot create", SystemReason(errno));
  TakeSlot(temporary);
  const auto fail = [&](const char* what, int error) {
    ::close(fd);
    ::unlink(temporary.c_str());
    ReleaseSlot(temporary);
    throw WriteError(path, what, SystemReason(error));
  };
  struct stat existing {};
  const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd, mode) != 0) fail("cannot write", errno);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("cannot write", errno);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) fail("cannot write", errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    ReleaseSlot(temporary);
    throw WriteError(path, "cannot write", SystemReason(error));
  }
  return temporary;
}

void SyncFolder(const std::string& target) {
  const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // durability only: the rename itself has succeeded
  ::close(fd);
}

// Holds back the signals that end a program for as long as it lives.
class HeldSignals {
 public:
  HeldSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ}) sigaddset(&set, s);
    pthread_sigmask(SIG_BLOCK, &set, &old_);
  }
  ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

 private:
  sigset_t old_;
};

}  // namespace

WriteError::WriteError(std::string path_, std::string what, std::string reason_)
    : std::runtime_error(path_ + ": " + what + ": " + reason_), path(std::move(path_)), reason(std::move(reason_)) {}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  OutputSet set;
  set.Stage(path, bytes);
  set.Commit();
}

OutputSet::~OutputSet() {
  for (const Staged& s : staged_) {
    if (s.temporary.empty()) continue;
    ::unlink(s.temporary.c_str());
    ReleaseSlot(s.temporary);
  }
}

void OutputSet::Stage(const std::string& path, std::string_view bytes) {
  if (path.empty()) throw WriteError(path, "cannot create", "no file name given");
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw WriteError(path, "cannot create", "is a directory");
    // Renaming a temporary over a device or FIFO would replace it (as root,
    // /dev/null itself): such a target is written to as it stands, through
    // the path as given (/dev/stdout names a pipe only the kernel resolves).
    if (!S_ISREG(info.st_mode)) {
      if (::access(path.c_str(), W_OK) != 0) throw WriteError(path, "cannot open", SystemReason(errno));
      staged_.push_back({path, path, {}, std::string(bytes)});
      return;
    }
  }
  const std::string target = ResolveTarget(path);
  staged_.push_back({path, target, WriteTemporary(path, target, bytes), {}});
}

namespace {

void WriteDirectly(const std::string& path, const std::string& target, const std::string& bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw WriteError(path, "cannot open", SystemReason(errno));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw WriteError(path, "cannot write", SystemReason(error));
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0) throw WriteError(path, "cannot write", SystemReason(errno));
}

}  // namespace

void OutputSet::ReplaceFiles() {
  // Held while the files are replaced, so that all or none are; not while
  // a device or FIFO is written (Commit), which may wait for a reader.
  const HeldSignals held;
  // Hard links keep the old files so that a failed rename can put back the
  // targets replaced before it.
  std::vector<std::string> backups(staged_.size());
  for (size_t i = 0; i < staged_.size(); ++i) {
    if (staged_[i].temporary.empty()) continue;
    const std::string backup = staged_[i].temporary + ".old";
    if (::link(staged_[i].target.c_str(), backup.c_str()) == 0) backups[i] = backup;
  }
  const auto dropBackups = [&] {
    for (const std::string& b : backups) {
      if (!b.empty()) ::unlink(b.c_str());
    }
  };
  for (size_t i = 0; i < staged_.size(); ++i) {
    if (staged_[i].temporary.empty()) continue;
    if (::rename(staged_[i].temporary.c_str(), staged_[i].target.c_str()) == 0) continue;
    const int error = errno;
    for (size_t k = 0; k < i; ++k) {
      if (staged_[k].temporary.empty()) continue;
      if (!backups[k].empty()) {
        ::rename(backups[k].c_str(), staged_[k].target.c_str());
        backups[k].clear();
      } else {
        ::unlink(staged_[k].target.c_str());
      }
    }
    dropBackups();
    const std::string path = staged_[i].path;
    throw WriteError(path, "cannot replace", SystemReason(error));
  }
  dropBackups();
  for (const Staged& s : staged_) {
    if (s.temporary.empty()) continue;
    ReleaseSlot(s.temporary);
    SyncFolder(s.target);
  }
}

void OutputSet::Commit() {
  ReplaceFiles();
  // Devices and FIFOs last: what they were sent cannot be taken back.
  std::vector<Staged> direct;
  for (Staged& s : staged_) {
    if (s.temporary.empty()) direct.push_back(std::move(s));
  }
  staged_.clear();
  for (const Staged& s : direct) WriteDirectly(s.path, s.target, s.bytes);
}

void CheckCanWrite(const std::string& path) {
  OutputSet set;
  set.Stage(path, {});
}  // the set removes its temporary

bool SameFile(const std::string& a, const std::string& b) {
  struct stat infoA {}, infoB {};
  const bool existsA = ::stat(a.c_str(), &infoA) == 0;
  const bool existsB = ::stat(b.c_str(), &infoB) == 0;
  if (existsA && existsB) return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
  if (existsA || existsB) return false;
  std::error_code errorA, errorB;
  const fs::path canonicalA = fs::weakly_canonical(fs::absolute(ResolveTarget(a)), errorA);
  const fs::path canonicalB = fs::weakly_canonical(fs::absolute(ResolveTarget(b)), errorB);
  return !errorA && !errorB && canonicalA == canonicalB;
}

void RemoveStagedFilesOnSignal() {
  for (Slot& slot : slots) {
    if (slot.used.load()) ::unlink(slot.path);
  }
}

}  // namespace zenphal
