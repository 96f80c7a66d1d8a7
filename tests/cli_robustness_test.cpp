// zenphal-cli when things go wrong: full disks, interrupts, outputs that
// alias each other or an input, devices, empty names. Nothing may be lost and
// no failure may pass for success.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_support.h"

namespace {

namespace fs = std::filesystem;
using zenphal::testing::ReadFile;
using zenphal::testing::RunCli;
using zenphal::testing::TempPath;
using zenphal::testing::Write;
using Result = zenphal::testing::CliResult;

const std::string kCli = ZENPHAL_CLI;
const std::string kFamilies = "/usr/share/doc/infernal/examples/testsuite/";

// Runs a shell script with $CLI set; its exit status and stdout.
Result RunShell(const std::string& script) {
  const std::string errPath = TempPath("shell.err");
  return zenphal::testing::RunCommand("CLI='" + kCli + "' sh -c '" + script + "' 2>" + errPath, errPath);
}

// Temporaries the writer left in a folder.
int Leftovers(const fs::path& folder) {
  int n = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    n += entry.path().filename().string().find(".zenphal-") != std::string::npos;
  }
  return n;
}

TEST(CliRobustness, AFullDiskLeavesTheOldOutputsAndSaysSo) {
  const std::string report = Write("full-report.txt", "old report");
  const std::string json = Write("full.json", "old json");
  // A file size limit stands in for a full disk: the first large write fails.
  const Result r = RunCli("decompose example:5 example:6 -q --json " + json + " --report " + report, "ulimit -f 16 && ");
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find(": cannot write: File too large"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(report), "old report");
  EXPECT_EQ(ReadFile(json), "old json");
  EXPECT_EQ(Leftovers(fs::path(report).parent_path()), 0);
}

TEST(CliRobustness, AFullStandardOutputIsAnErrorNotSuccess) {
  for (const std::string args : {"decompose example:5 example:6", "examples", "--help", "--version"}) {
    const Result r = RunCli(args + " >/dev/full");
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("standard output: cannot write: No space left on device"), std::string::npos)
        << args << "\n" << r.err;
    EXPECT_EQ(r.err.find("internal error"), std::string::npos) << args;
  }
}

TEST(CliRobustness, OutputsAreComparedByIdentityNotSpelling) {
  const fs::path folder = fs::path(TempPath("alias"));
  fs::create_directories(folder / "w");
  const std::string input = Write("alias/in.dbn", ">x\nGGGAAACCC\n(((...)))\n");
  fs::create_symlink(folder / "w" / "x", folder / "link");
  const struct {
    std::string args;
    std::string message;
  } cases[] = {
      {input + " example:6 --report " + (folder / "." / "in.dbn").string(), "which is an input of this command"},
      {"example:5 " + input + "#1 --json " + input, "which is an input of this command"},
      {"example:5 example:6 --json " + (folder / "w" / "x").string() + " --report " + (folder / "w" / ".." / "w" / "x").string(),
       "name the same file"},
      {"example:5 example:6 --json " + (folder / "w" / "x").string() + " --svg " + (folder / "link").string(),
       "name the same file"},
  };
  for (const auto& c : cases) {
    const Result r = RunCli("decompose -q " + c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_EQ(ReadFile(input), ">x\nGGGAAACCC\n(((...)))\n");
  EXPECT_FALSE(fs::exists(folder / "w" / "x"));
}

TEST(CliRobustness, EmptyOutputNamesAreRefused) {
  const Result r = RunCli("decompose example:5 example:6 --json ''");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--json: an empty file name"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

TEST(CliRobustness, DevicesAreWrittenToNotReplaced) {
  // Renaming a temporary over /dev/null would replace the device (as root).
  const Result r = RunCli("decompose -q example:5 example:6 --report /dev/null --json /dev/stdout");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("{\n \"match\": 1.0,")) << r.out.substr(0, 40);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(CliRobustness, NarrowRangesAreRefusedWithTheReason) {
  const Result r = RunCli("decompose example:5 example:6 --mismatch 1,1.005");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("is narrower than 0.01"), std::string::npos) << r.err;
  EXPECT_EQ(RunCli("decompose -q example:5 example:6 --mismatch 1,1.01").status, 0);
}

TEST(CliRobustness, MessagesNameWhatWasWritten) {
  const std::string stems = Write("stems.txt", "n\nACGU\n>\n (1) -1 3x 1\n>\n");
  const Result r = RunCli("align " + stems + " example:1 --at 1,1");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("stem 1 (-1 3x 1)"), std::string::npos) << r.err;
  const Result padded = RunCli("align " + std::string(ZENPHAL_EXAMPLES_DIR) + "/trnas.ct#0002 example:6 --at 1,1");
  EXPECT_EQ(padded.status, 0) << padded.err;
}

TEST(CliRobustness, AnInterruptedRunTouchesNoOutput) {
  const std::string report = Write("interrupted.txt", "old report");
  const std::string family = kFamilies + "RNaseP.sto";
  const Result r = RunShell("$CLI decompose -q " + family + "#1 " + family + "#2 --report " + report +
                            " & pid=$!; sleep 1; kill -TERM $pid; wait $pid; echo $?");
  EXPECT_EQ(r.out, "143\n") << r.err;
  EXPECT_NE(r.err.find("interrupted; no output was written"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(report), "old report");
}

// A FIFO that nobody reads keeps its writer waiting: Ctrl-C must still end
// the run (the second one at once), with the files before it in place.
TEST(CliRobustness, AnUnreadFifoDoesNotMakeTheRunUnstoppable) {
  const fs::path folder = fs::path(TempPath("fifo"));
  fs::create_directories(folder);
  const Result r = RunShell("cd " + folder.string() + " && rm -f f && mkfifo f && "
                            "$CLI decompose -q example:1 example:2 --report r.txt --json f & pid=$!; "
                            "sleep 2; kill -INT $pid; sleep 0.5; kill -INT $pid; "
                            "for i in 1 2 3 4 5 6 7 8 9 10; do kill -0 $pid 2>/dev/null || break; sleep 0.5; done; "
                            "kill -0 $pid 2>/dev/null && { kill -KILL $pid; echo hung; }; wait $pid; echo $?");
  EXPECT_EQ(r.out, "130\n") << r.err;
  EXPECT_TRUE(fs::exists(folder / "r.txt"));
}

// Interrupts at many moments, the write phase included: every run leaves
// either all four old files or all four new ones, and no temporary.
TEST(CliRobustness, InterruptsLeaveAllOldOrAllNewOutputs) {
  const fs::path folder = fs::path(TempPath("interrupts"));
  fs::create_directories(folder);
  const std::string script =
      "cd " + folder.string() + "; for i in 1 2 3 4 5 6 7 8 9 10 11 12; do "
      "for f in r.txt j.json p.png s.svg; do echo old > $f; done; "
      "$CLI decompose -q example:5 example:6 --report r.txt --json j.json --png p.png --svg s.svg & pid=$!; "
      "sleep 0.$((i * 7 % 10))$((i % 10)); kill -INT $pid; wait $pid; st=$?; "
      "n=0; for f in r.txt j.json p.png s.svg; do [ \"$(cat $f)\" = old ] || n=$((n+1)); done; "
      "echo \"$st $n\"; done";
  const Result r = RunShell(script);
  int runs = 0;
  for (size_t at = 0; at < r.out.size();) {
    const size_t end = r.out.find('\n', at);
    const std::string line = r.out.substr(at, end - at);
    at = end + 1;
    ++runs;
    // An interrupt that comes while the files are being replaced waits until
    // all are in place: all new, and still the interrupt's status.
    EXPECT_TRUE(line == "130 0" || line == "0 4" || line == "130 4") << "exit status and new files: " << line;
  }
  EXPECT_EQ(runs, 12) << r.out << r.err;
  EXPECT_EQ(Leftovers(folder), 0);
}

}  // namespace
