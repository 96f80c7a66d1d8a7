// zenphal-cli as users and scripts call it: outputs, exit codes, messages.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli_support.h"

namespace {

using zenphal::testing::ReadFile;
using zenphal::testing::RunCli;
using zenphal::testing::TempPath;
using zenphal::testing::Write;
using Result = zenphal::testing::CliResult;

TEST(CliAlign, PrintsThePointReportByteForByte) {
  const Result r = RunCli("align example:5 example:6 --match 2 --indel 1 --at 1,4");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("MatchScore:2\r\nMismatchScore:1\r\nIndelScore:1\r\nGapScore:4\r\n\r\n"
                                "The optimal alignment is:\r\n\r\nMatch Number:15\r\nMismatch Number:14\r\n"
                                "Indel Number:8\r\nGap Number:5\r\nPair Match Number:4\r\nPair Mismatch Number:17\r\n"
                                "Pair Indel Number:0\r\n\r\nG|C|G|G|"))
      << r.out;
  EXPECT_TRUE(r.out.ends_with("U|A|A|C|_|_|_|U|"));
  EXPECT_TRUE(r.err.empty());
}

TEST(CliAlign, JsonHasScoreCountsAndRowsInReadingOrder) {
  const Result r = RunCli("align example:5 example:6 --match 2 --indel 1 --at ' 1 ,4.0' --json");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["score"], -30.0);
  EXPECT_EQ(j["counts"]["match"], 23);
  EXPECT_EQ(j["counts"]["mismatch"], 48);
  EXPECT_EQ(j["counts"]["gap"], 5);
  EXPECT_EQ(j["counts"]["pair_mismatch"], 17);
  EXPECT_TRUE(j["top"].get<std::string>().starts_with("GCGGAUUUAG"));
  EXPECT_TRUE(j["bottom"].get<std::string>().ends_with("AAC___U"));
}

TEST(CliAlign, ReadsStructureFilesWithEitherLineEnd) {
  const std::string crlf = Write("a.txt", "mine\r\nGAC\r\n>\r\n>\r\n (1)  0  2  1\r\n>\r\n");
  const std::string lf = Write("b.txt", "mine\nGUC\n>\n>\n (1)  0  2  1\n>\n");
  const Result r = RunCli("align " + crlf + " " + lf + " --match 2 --indel 1 --at 1,4 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["score"], 3.0);
  EXPECT_EQ(j["top"], "GAC");
}

TEST(CliErrors, BadInputExitsTwoWithOneClearLine) {
  const std::string noBases = Write("nobases.txt", "name\r\nNNNN\r\n>\r\n>\r\n>\r\n");
  const std::string badStems = Write("stems.txt", "name\r\nACGU\r\n>\r\n>\r\n (1)  0  3\r\n>\r\n");
  const std::string notLayout = Write("plain.txt", "ACGU\n");
  const struct {
    std::string args;
    std::string message;
  } cases[] = {
      {"align example:7 example:1 --at 1,1", "unknown example 'example:7'"},
      {"align example:1 /nonexistent/file --at 1,1", "/nonexistent/file: cannot open"},
      {"align example:1 example:2 --at 1", "--at: '1' is not two numbers"},
      {"align example:1 example:2 --at 1,-4", "--at: '-4' is not a non-negative decimal number"},
      {"align example:1 example:2 --match abc --at 1,1", "--match: 'abc'"},
      {"align example:1 " + noBases + " --at 1,1", "the structure has no bases"},
      {"align example:1 " + badStems + " --at 1,1", "not a multiple of 3"},
      {"align example:1 " + notLayout + " --at 1,1", "not a structure text: no '>' line after the bases"},
      {"decompose example:1 example:2 --mismatch 2,2", "mismatch score range [2.000000, 2.000000] is empty"},
      {"decompose example:1 example:2 --gap 3,1", "gap score range"},
      {"decompose example:1 example:2 --report /nonexistent/dir/r.txt", "/nonexistent/dir/r.txt: cannot create"},
      {"align example:1", "RNA2 is required"},
      {"frobnicate", "frobnicate"},
  };
  for (const auto& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_TRUE(r.out.empty()) << c.args;
  }
}

TEST(CliHelp, HelpAndExamplesSucceed) {
  const Result help = RunCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("decompose"), std::string::npos);
  const Result examples = RunCli("examples");
  EXPECT_EQ(examples.status, 0);
  EXPECT_NE(examples.out.find("5\tyeast tRNA\t76\t0 71 7 9 24 4 26 42 5 48 64 5\n"), std::string::npos);
}

TEST(CliDecompose, ReportJsonAndFileAgree) {
  const std::string report = TempPath("report.txt");
  const std::string json = TempPath("d.json");
  const Result toFile = RunCli("decompose example:5 example:6 --quiet --report " + report + " --json " + json);
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_TRUE(toFile.out.empty());
  const Result toStdout = RunCli("decompose example:5 example:6");
  ASSERT_EQ(toStdout.status, 0);
  EXPECT_EQ(ReadFile(report), toStdout.out);
  EXPECT_TRUE(toStdout.err.empty()) << "no progress line when stderr is not a terminal";
  EXPECT_NE(toStdout.out.find("\r\nMismatch score range is [ 0 , 2 ]\r\nGap score range is [ 0 , 2 ]\r\n\r\n"
                              "There are 26 optimal alignments in parametric space:\r\n"),
            std::string::npos);

  const auto j = nlohmann::json::parse(ReadFile(json));
  EXPECT_EQ(j["match"], 1.0);
  EXPECT_EQ(j["indel"], 0.5);
  EXPECT_EQ(j["aligner_calls"], 355);
  EXPECT_EQ(j["incomplete"], false);
  ASSERT_EQ(j["polygons"].size(), 26u);
  for (const auto& p : j["polygons"]) {
    EXPECT_GE(p["edges"].size(), 3u);
    EXPECT_EQ(p["side_flags"].size(), 4u);
    EXPECT_EQ(p["top"].get<std::string>().size(), p["bottom"].get<std::string>().size());
  }
  // Floats are written so that they read back to the same float.
  const float x1 = j["polygons"][0]["edges"][0][0].get<float>();
  EXPECT_EQ(x1, 1.8f);
}

}  // namespace
