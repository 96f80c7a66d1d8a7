// Reading inputs and writing outputs: the bounded reader refuses what is not
// a regular file, and every write is all or nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "formats/input_file.h"
#include "output/file_writer.h"

namespace zenphal {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("zenphal_files_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Put(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }
  // The names in the folder, to see that no temporary is left behind.
  size_t Entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

FileReadError::Kind KindOf(const std::string& path) {
  try {
    ReadInputFile(path);
  } catch (const FileReadError& e) {
    return e.kind;
  }
  ADD_FAILURE() << path << " was read";
  return FileReadError::Kind::kOpenFailed;
}

TEST_F(Files, ReaderReadsRegularFilesAndRefusesTheRest) {
  Put(Path("a.txt"), std::string("x\0y\r\n", 5));
  EXPECT_EQ(ReadInputFile(Path("a.txt")), std::string("x\0y\r\n", 5));
  EXPECT_EQ(KindOf(Path("missing")), FileReadError::Kind::kNotFound);
  EXPECT_EQ(KindOf(Path("missing/deeper")), FileReadError::Kind::kNotFound);
  EXPECT_EQ(KindOf(dir_.string()), FileReadError::Kind::kDirectory);
  EXPECT_EQ(KindOf("/dev/zero"), FileReadError::Kind::kNotRegular);
  // A FIFO without a writer would block a plain open for good.
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  EXPECT_EQ(KindOf(Path("fifo")), FileReadError::Kind::kNotRegular);
  try {
    ReadInputFile(Path("missing"));
  } catch (const FileReadError& e) {
    EXPECT_EQ(std::string(e.what()), Path("missing") + ": cannot open: No such file or directory");
  }
}

TEST_F(Files, ReaderRefusesFilesOverTheCap) {
  const std::string big = Path("big");
  {
    std::ofstream out(big, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(kMaxInputBytes));
    out.put('x');
  }
  EXPECT_EQ(KindOf(big), FileReadError::Kind::kTooLarge);
}

TEST_F(Files, WriterCreatesAndReplacesKeepingPermissions) {
  const std::string path = Path("out.txt");
  WriteFileAtomically(path, "first");
  EXPECT_EQ(Content(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  WriteFileAtomically(path, "second");
  EXPECT_EQ(Content(path), "second");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(Files, WriterWritesThroughASymbolicLink) {
  const std::string target = Path("target.txt");
  Put(target, "old");
  fs::create_symlink(target, Path("link.txt"));
  WriteFileAtomically(Path("link.txt"), "new");
  EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
  EXPECT_EQ(Content(target), "new");
}

TEST_F(Files, WriterFailuresNameTheFileAndLeaveNothing) {
  try {
    WriteFileAtomically(Path("no/such/folder/x.txt"), "data");
    FAIL();
  } catch (const WriteError& e) {
    EXPECT_EQ(std::string(e.what()), Path("no/such/folder/x.txt") + ": cannot create: No such file or directory");
  }
  EXPECT_THROW(WriteFileAtomically(dir_.string(), "data"), WriteError);
  EXPECT_THROW(WriteFileAtomically("", "data"), WriteError);
  EXPECT_EQ(Entries(), 0u);
}

TEST_F(Files, AFullDiskLeavesTheOldFile) {
  const std::string path = Path("report.txt");
  Put(path, "the old report");
  // /dev/full as the folder's stand-in is not possible; a file size limit
  // makes the write fail the same way (SIGXFSZ ignored: the write returns
  // EFBIG).
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previous = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool failed = false;
  try {
    WriteFileAtomically(path, std::string(100000, 'n'));
  } catch (const WriteError& e) {
    failed = true;
    EXPECT_NE(std::string(e.what()).find(path + ": cannot write: "), std::string::npos) << e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previous);
  EXPECT_TRUE(failed);
  EXPECT_EQ(Content(path), "the old report");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(Files, AnOutputSetIsAllOrNothing) {
  Put(Path("a"), "old a");
  Put(Path("b"), "old b");
  {
    OutputSet set;
    set.Stage(Path("a"), "new a");
    set.Stage(Path("b"), "new b");
    EXPECT_THROW(set.Stage(Path("missing/c"), "c"), WriteError);
  }  // not committed: every temporary goes
  EXPECT_EQ(Content(Path("a")), "old a");
  EXPECT_EQ(Content(Path("b")), "old b");
  EXPECT_EQ(Entries(), 2u);

  OutputSet set;
  set.Stage(Path("a"), "new a");
  set.Stage(Path("c"), "new c");
  set.Commit();
  EXPECT_EQ(Content(Path("a")), "new a");
  EXPECT_EQ(Content(Path("c")), "new c");
  EXPECT_EQ(Entries(), 3u);
}

TEST_F(Files, CheckCanWriteFailsAsAWriteWouldAndLeavesNothing) {
  EXPECT_NO_THROW(CheckCanWrite(Path("fine.txt")));
  EXPECT_FALSE(fs::exists(Path("fine.txt")));
  EXPECT_THROW(CheckCanWrite(Path("gone/x")), WriteError);
  EXPECT_EQ(Entries(), 0u);
}

}  // namespace
}  // namespace zenphal
