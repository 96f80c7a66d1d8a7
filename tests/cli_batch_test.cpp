// zenphal-cli batch on real families: the same JSON as decompose by hand,
// resuming after an interruption, shards that cover every pair once, pair
// lists, and the messages of what stops a batch.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_support.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using zenphal::testing::ReadFile;
using zenphal::testing::RunCli;
using zenphal::testing::TempPath;
using zenphal::testing::Write;
using Result = zenphal::testing::CliResult;

const std::string kTrna2 = ZENPHAL_INFERNAL_DIR "/trna-2.sto";  // five tRNAs, ten pairs

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream s(line);
  std::string field;
  while (std::getline(s, field, separator)) fields.push_back(field);
  // An empty last cell (a pair without agreement figures) is a cell too.
  if (separator == '\t' && !line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

// The summary table's rows by pair name, each a map of column to value.
std::map<std::string, std::map<std::string, std::string>> Summary(const std::string& path) {
  const std::vector<std::string> lines = Split(ReadFile(path), '\n');
  std::map<std::string, std::map<std::string, std::string>> rows;
  if (lines.empty()) return rows;
  const std::vector<std::string> header = Split(lines[0], '\t');
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> cells = Split(lines[i], '\t');
    EXPECT_EQ(cells.size(), header.size()) << lines[i];
    auto& row = rows[cells[0]];
    for (size_t c = 0; c < cells.size() && c < header.size(); ++c) row[header[c]] = cells[c];
  }
  return rows;
}

std::string Folder(const std::string& name) {
  const std::string path = TempPath(name);
  fs::remove_all(path);
  return path;
}

TEST(CliBatch, EachPairsJsonIsWhatDecomposeWritesByHand) {
  const std::string out = Folder("same");
  const Result r = RunCli("batch --all-pairs " + kTrna2 + " --members DF6280,DC6280,DA6280 --jobs 2 --reports --out " +
                          out + " --mismatch 0,3");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = Summary(out + "/summary.tsv");
  ASSERT_EQ(rows.size(), 3u);
  for (const auto& [pair, row] : rows) {
    SCOPED_TRACE(pair);
    const std::string json = TempPath("by-hand.json");
    const Result hand = RunCli("decompose -q '" + row.at("rna1") + "' '" + row.at("rna2") + "' --mismatch 0,3 --json " +
                               json);
    ASSERT_EQ(hand.status, 0) << hand.err;
    EXPECT_EQ(ReadFile(out + "/" + pair + ".json"), ReadFile(json));
    EXPECT_EQ(ReadFile(out + "/" + pair + ".txt"), hand.out);
  }
  // Pairs in the order of the alignment, named after their members.
  EXPECT_EQ(rows.count("DF6280~DC6280") + rows.count("DF6280~DA6280") + rows.count("DC6280~DA6280"), 3u);
  const auto& row = rows.at("DF6280~DC6280");
  EXPECT_EQ(row.at("member1"), "DF6280");
  EXPECT_EQ(row.at("length1"), "73");
  EXPECT_EQ(row.at("point"), "1.5,1");  // the rectangle's centre
  EXPECT_EQ(row.at("incomplete"), "false");
  EXPECT_GT(std::stod(row.at("robustness")), 0.0);
  EXPECT_LE(std::stod(row.at("robustness")), 1.0);
}

// A batch killed half way keeps the pairs it finished, and the next run
// computes only the others.
TEST(CliBatch, AnInterruptedBatchResumesWithoutRedoingFinishedPairs) {
  const std::string out = Folder("resume");
  const std::vector<std::string> args = {ZENPHAL_CLI, "batch", "--all-pairs", kTrna2, "--mismatch", "0,6", "--gap",
                                         "0,6", "--out", out, "-q"};
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, ZENPHAL_CLI, &quiet, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&quiet);
  const auto finished = [&] {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(out, ignored)) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".summary.json")) names.insert(name);
    }
    return names;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (finished().size() < 2 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the batch ended before it was interrupted; give it more work";
  const std::set<std::string> before = finished();
  ASSERT_GE(before.size(), 2u);
  ASSERT_LT(before.size(), 10u);
  EXPECT_FALSE(fs::exists(out + "/summary.tsv"));
  std::map<std::string, std::pair<ino_t, time_t>> kept;
  for (const std::string& name : before) {
    struct stat s {};
    ASSERT_EQ(stat((out + "/" + name).c_str(), &s), 0);
    kept[name] = {s.st_ino, s.st_mtime};
  }

  const Result resumed = RunCli("batch --all-pairs " + kTrna2 + " --mismatch 0,6 --gap 0,6 --out " + out);
  ASSERT_EQ(resumed.status, 0) << resumed.err;
  EXPECT_NE(resumed.err.find("10 pairs: " + std::to_string(before.size()) + " done before, " +
                             std::to_string(10 - before.size()) + " to compute"),
            std::string::npos)
      << resumed.err;
  for (const auto& [name, identity] : kept) {
    struct stat s {};
    ASSERT_EQ(stat((out + "/" + name).c_str(), &s), 0);
    EXPECT_EQ(std::pair(s.st_ino, s.st_mtime), identity) << name << " was written again";
  }
  EXPECT_EQ(Summary(out + "/summary.tsv").size(), 10u);
  // Nothing is left to do, and a different rectangle is refused, not mixed in.
  const Result list = RunCli("batch --all-pairs " + kTrna2 + " --mismatch 0,6 --gap 0,6 --out " + out + " --list");
  EXPECT_EQ(list.out.find("to do"), std::string::npos) << list.out;
  const Result other = RunCli("batch --all-pairs " + kTrna2 + " --out " + out);
  EXPECT_EQ(other.status, 2);
  EXPECT_NE(other.err.find("holds a result of other input (the mismatch score range: 0,6 there, 0,2 now); give "
                           "another --out folder"),
            std::string::npos)
      << other.err;
}

TEST(CliBatch, ShardsTogetherCoverEveryPairOnce) {
  const std::string out = Folder("shards");
  std::multiset<std::string> pairs;
  for (int i = 1; i <= 3; ++i) {
    const Result r = RunCli("batch --all-pairs " + kTrna2 + " --out " + out + " --shard " + std::to_string(i) + "/3");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("(shard " + std::to_string(i) + "/3 of 10 pairs)"), std::string::npos) << r.err;
    for (const auto& [pair, row] : Summary(out + "/summary-" + std::to_string(i) + "-of-3.tsv")) pairs.insert(pair);
  }
  EXPECT_EQ(pairs.size(), 10u);
  EXPECT_EQ(std::set<std::string>(pairs.begin(), pairs.end()).size(), 10u);
  // The whole family over the same folder finds every pair done.
  const Result all = RunCli("batch --all-pairs " + kTrna2 + " --out " + out);
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_NE(all.err.find("10 pairs: 10 done before, 0 to compute"), std::string::npos) << all.err;
  const auto rows = Summary(out + "/summary.tsv");
  EXPECT_EQ(rows.size(), 10u);
  for (const std::string& pair : pairs) EXPECT_EQ(rows.count(pair), 1u) << pair;
}

TEST(CliBatch, PairListsNameTheirPairsAndLoadEachStructureOnce) {
  const std::string examples = ZENPHAL_EXAMPLES_DIR;
  const std::string list = Write("pairs.tsv", "rna1\trna2\tname\n"
                                              "# the sample files against the example table\n" +
                                                  examples + "/trnas.sto#1\texample:6\n" + examples +
                                                  "/trnas.ct#2\t" + examples + "/yeast-trna.dbn\tleu-yeast\n");
  const std::string out = Folder("list");
  const Result r = RunCli("batch " + list + " --out " + out + " --at 0.5,1.5");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = Summary(out + "/summary.tsv");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows.at("trnas.sto_1~example_6").at("member1"), "yeast_tRNA-Phe/1-76");
  EXPECT_EQ(rows.at("trnas.sto_1~example_6").at("member2"), "example:6");
  EXPECT_EQ(rows.at("leu-yeast").at("point"), "0.5,1.5");
  // Both pairs are example 5 against example 6, one way round and the other.
  EXPECT_EQ(rows.at("leu-yeast").at("polygons"), rows.at("trnas.sto_1~example_6").at("polygons"));

  const struct {
    std::string text, message;
  } refused[] = {
      {"example:1\texample:2\nexample:1\texample:2\n",
       ": line 2: the pair's files would be named 'example_1~example_2', as those of line 1; give the pairs names of "
       "their own in a third column"},
      {"example:1\n", ": line 1: a pair line is two structures and an optional name"},
      {"example:1\texample:9\n", ": line 1: unknown example 'example:9'"},
      {"example:1\tnone.ct\n", ": line 1: none.ct: cannot open"},
      {"# nothing\n", ": the pair list holds no pairs"},
  };
  for (const auto& c : refused) {
    const std::string bad = Write("bad.tsv", c.text);
    const Result e = RunCli("batch " + bad + " --out " + Folder("bad"));
    EXPECT_EQ(e.status, 2) << c.text;
    EXPECT_TRUE(e.err.starts_with("zenphal-cli: " + bad + c.message)) << e.err;
  }
}

TEST(CliBatch, WhatStopsABatchIsOneLineBeforeAnyWork) {
  const std::string out = Folder("refused");
  const std::string four = ZENPHAL_INFERNAL_DIR "/4.sto";
  const struct {
    std::string args, message;
  } cases[] = {
      {"", "give a pair list (PAIRS) or --all-pairs FILE.sto"},
      {"x.tsv --all-pairs " + kTrna2, "give a pair list (PAIRS) or --all-pairs FILE.sto, not both"},
      {"--all-pairs " + four, four + ": holds 4 alignments (tRNA, Vault, snR75, Plant_SRP); name one: " + four +
                                  "#FAMILY"},
      {"--all-pairs " + four + "#RF00007", four + "#RF00007: no alignment has the ID or AC 'RF00007'"},
      {"--all-pairs " + kTrna2 + " --members DF6280,nobody", "--members: trna has no sequence named 'nobody'"},
      {"--all-pairs " + kTrna2 + " --members DF6280", kTrna2 + ": 1 member makes no pair"},
      {"--all-pairs " + std::string(ZENPHAL_EXAMPLES_DIR) + "/trnas.ct",
       std::string(ZENPHAL_EXAMPLES_DIR) + "/trnas.ct: --all-pairs takes a Stockholm file"},
      {"--all-pairs " + kTrna2 + " --shard 3/2", "--shard: '3/2' is not I/N with 1 <= I <= N"},
      {"--all-pairs " + kTrna2 + " --at 3,1", "--at: '3,1' lies outside the score rectangle"},
      {"--all-pairs " + kTrna2 + " --mismatch 2,1", "mismatch score range [2.000000, 1.000000] is empty or inverted"},
      {"--all-pairs " + kTrna2 + " --jobs 0", "--jobs"},
  };
  for (const auto& c : cases) {
    const Result r = RunCli("batch " + c.args + " --out " + out);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_TRUE(r.err.starts_with("zenphal-cli: " + c.message)) << r.err;
    EXPECT_FALSE(fs::exists(out)) << c.args;
  }
}

// A pair that cannot be aligned is told and left out; the others are done.
TEST(CliBatch, AFailingPairDoesNotStopTheOthers) {
  const std::string longDbn = Write("long.dbn", ">long\n" + std::string(20000, 'A') + "\n" + std::string(20000, '.') +
                                                    "\n");
  const std::string list = Write("failing.tsv", "example:1\texample:2\n" + longDbn + "\t" + longDbn + "\tlong\n");
  const std::string out = Folder("failing");
  const Result r = RunCli("batch " + list + " --out " + out + " --jobs 2");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("zenphal-cli: batch: long: the two structures hold 40000 bases together"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("1 of 2 pairs failed"), std::string::npos) << r.err;
  const auto rows = Summary(out + "/summary.tsv");
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.count("example_1~example_2"), 1u);
}

}  // namespace
