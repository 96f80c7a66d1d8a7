// zenphal-cli and the agreement with a family's curated alignment: decompose
// and batch add it to their JSON and summary (the report stays as it was),
// --reference finds the members in another file, pictures colour by it, and
// a batch computed before it was measured computes those pairs again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli_support.h"

namespace {

namespace fs = std::filesystem;
using zenphal::testing::ReadFile;
using zenphal::testing::RunCli;
using zenphal::testing::TempPath;
using zenphal::testing::Write;
using Result = zenphal::testing::CliResult;
using Json = nlohmann::json;

const std::string kTrna2 = ZENPHAL_INFERNAL_DIR "/trna-2.sto";
const std::string kExamples = ZENPHAL_EXAMPLES_DIR;

TEST(CliAgreement, DecomposeAddsItToTheJsonAndLeavesTheReport) {
  const std::string json = TempPath("members.json");
  const Result r = RunCli("decompose " + kTrna2 + "#DF6280 " + kTrna2 + "#DE6280 --json " + json);
  ASSERT_EQ(r.status, 0) << r.err;
  const Json d = Json::parse(ReadFile(json));
  const Json& ref = d.at("reference");
  EXPECT_EQ(ref.at("family"), "trna");
  EXPECT_EQ(ref.at("member1"), "DF6280");
  EXPECT_EQ(ref.at("top").get<std::string>().size(), ref.at("bottom").get<std::string>().size());
  EXPECT_EQ(ref.at("columns"), 71);
  EXPECT_EQ(ref.at("pairs"), 21);
  const int best = d.at("agreement").at("best_polygon");
  double highest = 0.0;
  for (const Json& p : d.at("polygons")) {
    const Json& a = p.at("agreement");
    for (const char* share : {"value", "sensitivity", "precision", "pairs"}) {
      EXPECT_GE(a.at(share).get<double>(), 0.0);
      EXPECT_LE(a.at(share).get<double>(), 1.0);
    }
    highest = std::max(highest, a.at("value").get<double>());
  }
  EXPECT_EQ(d.at("agreement").at("best"), highest);
  EXPECT_EQ(d.at("polygons").at(best - 1).at("agreement").at("value"), highest);
  char expected[256];
  std::snprintf(expected, sizeof expected,
                "zenphal-cli: agreement with the alignment of DF6280 and DE6280 in trna (%s): best %.4f (polygon %d); "
                "the optimal alignment reaches 90%% of it on ",
                kTrna2.c_str(), highest, best);
  EXPECT_TRUE(r.err.starts_with(expected)) << r.err;
  EXPECT_TRUE(r.err.ends_with("% of the rectangle\n")) << r.err;

  // -q keeps stderr empty.
  const Result quiet = RunCli("decompose -q " + kTrna2 + "#DF6280 " + kTrna2 + "#DE6280");
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, r.out);
  // The report is that of the same structures without a reference:
  // examples/trnas.sto's members are the example table's tRNAs.
  const std::string sto = kExamples + "/trnas.sto";
  const Result members = RunCli("decompose -q " + sto + "#1 " + sto + "#2");
  const Result plain = RunCli("decompose -q example:5 example:6 --json " + TempPath("plain.json"));
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(members.out, plain.out);
  const Json without = Json::parse(ReadFile(TempPath("plain.json")));
  EXPECT_FALSE(without.contains("reference"));
  EXPECT_FALSE(without.at("polygons").at(0).contains("agreement"));
}

// The example tRNAs are the two members of examples/trnas.sto: named by
// --reference, it gives the same document as the members themselves.
TEST(CliAgreement, ReferenceFindsTheMembersOfStructuresReadElsewhere) {
  const std::string sto = kExamples + "/trnas.sto";
  const std::string members = TempPath("members.json"), examples = TempPath("examples.json");
  ASSERT_EQ(RunCli("decompose -q " + sto + "#1 " + sto + "#2 --json " + members).status, 0);
  const Result r = RunCli("decompose -q example:5 example:6 --reference " + sto + " --json " + examples);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(examples), ReadFile(members));
  // The other way round, the members swap.
  const Result swapped = RunCli("decompose -q example:6 example:5 --reference " + sto + " --json " + examples);
  ASSERT_EQ(swapped.status, 0) << swapped.err;
  EXPECT_EQ(Json::parse(ReadFile(examples)).at("reference").at("member1"), "Leu_gene_tRNA/1-74");

  const struct {
    std::string args, message;
  } refused[] = {
      {"example:1 example:6 --reference " + sto,
       "--reference " + sto + ": no sequence of example-tRNAs has the 68 bases of example:1 (bases are compared exactly "
       "as written)\n"},
      {"example:5 example:6 --reference " + kExamples + "/yeast-trna.dbn", "--reference " + kExamples +
                                                                              "/yeast-trna.dbn: line 1: a Stockholm file begins with"},
      {"example:5 example:6 --reference " + sto + "#tRNA", "--reference " + sto + "#tRNA: no alignment has the ID or AC 'tRNA'"},
      {"example:5 example:6 --reference " + TempPath("gone.sto"), TempPath("gone.sto") + ": cannot open"},
      {"example:5 example:6 --colour-by-agreement --png " + TempPath("x.png"),
       "--colour-by-agreement: example:5 and example:6 have no reference alignment"},
      {sto + "#1 " + sto + "#2 --colour-by-agreement", "--colour-by-agreement: the colours go on a picture"},
  };
  for (const auto& c : refused) {
    const Result bad = RunCli("decompose -q " + c.args);
    EXPECT_EQ(bad.status, 2) << c.args;
    EXPECT_NE(bad.err.find(c.message), std::string::npos) << bad.err;
    EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << "one line: " << bad.err;
  }
  const Result empty = RunCli("decompose -q example:5 example:6 --reference ''");
  EXPECT_EQ(empty.status, 2);
  EXPECT_TRUE(empty.err.starts_with("zenphal-cli: --reference: an empty file name; give the Stockholm file")) << empty.err;
}

TEST(CliAgreement, PicturesColourTheRegionsByIt) {
  const std::string sto = kExamples + "/trnas.sto";
  const std::string svg = TempPath("agreement.svg"), png = TempPath("agreement.png");
  const Result r = RunCli("decompose -q " + sto + "#1 " + sto + "#2 --colour-by-agreement --label --svg " + svg +
                          " --png " + png);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = ReadFile(svg);
  EXPECT_NE(text.find("Agreement with the reference"), std::string::npos);
  EXPECT_NE(text.find("linearGradient"), std::string::npos);  // the legend's bar
  EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");
  const Result plain = RunCli("decompose -q " + sto + "#1 " + sto + "#2 --label --svg " + TempPath("plain.svg"));
  EXPECT_EQ(ReadFile(TempPath("plain.svg")).find("Agreement with the reference"), std::string::npos);
}

std::map<std::string, std::string> Row(const std::string& table, const std::string& pair) {
  std::istringstream lines(table);
  std::string header, line;
  std::getline(lines, header);
  const auto cells = [](const std::string& l) {
    std::vector<std::string> out(1);
    for (char c : l) {
      if (c == '\t') {
        out.emplace_back();
      } else {
        out.back() += c;
      }
    }
    return out;
  };
  const std::vector<std::string> names = cells(header);
  while (std::getline(lines, line)) {
    const std::vector<std::string> values = cells(line);
    if (values[0] != pair) continue;
    std::map<std::string, std::string> row;
    for (size_t i = 0; i < names.size() && i < values.size(); ++i) row[names[i]] = values[i];
    return row;
  }
  return {};
}

TEST(CliAgreement, BatchSummariesGainItAndOlderResultsAreComputedAgain) {
  const std::string out = TempPath("family");
  fs::remove_all(out);
  const std::string members = " --members DF6280,DE6280,DC6280";
  Result r = RunCli("batch -q --all-pairs " + kTrna2 + members + " --out " + out);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string table = ReadFile(out + "/summary.tsv");
  for (const std::string pair : {"DF6280~DE6280", "DF6280~DC6280", "DE6280~DC6280"}) {
    SCOPED_TRACE(pair);
    const auto row = Row(table, pair);
    const Json d = Json::parse(ReadFile(out + "/" + pair + ".json"));
    const int best = std::stoi(row.at("agreement_polygon"));
    ASSERT_GE(best, 1);
    ASSERT_LE(best, std::stoi(row.at("polygons")));
    EXPECT_NEAR(std::stod(row.at("best_agreement")), d.at("agreement").at("best").get<double>(), 1e-6);
    EXPECT_EQ(d.at("agreement").at("best_polygon"), best);
    const double near = std::stod(row.at("near_best_share"));
    EXPECT_GT(near, 0.0);
    EXPECT_LE(near, 1.0);
  }
  EXPECT_EQ(Row(table, "DF6280~DE6280").at("best_agreement"), "0.923077");

  // A pair's record as a version without agreement wrote it: that pair is
  // computed again (and only it), with its agreement.
  const std::string record = out + "/DF6280~DC6280.summary.json";
  Json old = Json::parse(ReadFile(record));
  old.erase("agreement");
  old.at("input").erase("reference");
  std::ofstream(record, std::ios::trunc) << old.dump(1);
  r = RunCli("batch --all-pairs " + kTrna2 + members + " --out " + out);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("3 pairs: 2 done before, 1 to compute"), std::string::npos) << r.err;
  for (const std::string pair : {"DF6280~DE6280", "DF6280~DC6280", "DE6280~DC6280"}) {
    auto before = Row(table, pair), after = Row(ReadFile(out + "/summary.tsv"), pair);
    before.erase("seconds");
    after.erase("seconds");
    EXPECT_EQ(after, before) << pair;
  }

  // Another reference for one of the pairs is other input: DC6280's gap
  // moved by one column, its bases and structure as they were.
  std::string moved = ReadFile(kTrna2);
  const std::string row = "GCUCGUAUGGCGCAGU.GGU.AGCG";
  ASSERT_NE(moved.find(row), std::string::npos);
  moved.replace(moved.find(row), row.size(), "GCUCGUAUGGCGCAGUG.GU.AGCG");
  const std::string other = Write("moved.sto", moved);
  r = RunCli("batch -q --all-pairs " + kTrna2 + members + " --out " + out + " --reference " + other);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("DF6280~DC6280.summary.json holds a result of other input (the reference alignment differs)"),
            std::string::npos)
      << r.err;
  r = RunCli("batch -q --all-pairs " + kTrna2 + members + " --out " + out + " --reference " + kExamples + "/trnas.sto");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--reference " + kExamples + "/trnas.sto: no sequence of example-tRNAs has the 73 bases of "),
            std::string::npos)
      << r.err;
}

}  // namespace
