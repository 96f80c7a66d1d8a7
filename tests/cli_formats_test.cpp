// zenphal-cli reading dot-bracket, CT, BPSEQ and Stockholm files: the sample
// files of examples/, --format, FILE#K and FILE#NAME, notes and messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_support.h"

namespace {

using zenphal::testing::Write;
using Result = zenphal::testing::CliResult;

class CliFormats : public ::testing::Test {
 protected:
  static Result Run(const std::string& args) { return zenphal::testing::RunCli(args); }
};

const std::string kExamples = ZENPHAL_EXAMPLES_DIR;
const std::string kAt = " --match 2 --indel 1 --at 1,4 --json";

TEST_F(CliFormats, SampleFilesReadAsTheExampleTableRows) {
  const Result table = Run("align example:5 example:6" + kAt);
  ASSERT_EQ(table.status, 0) << table.err;
  const std::string ct = kExamples + "/trnas.ct";
  for (const std::string first : {"/yeast-trna.dbn", "/yeast-trna.bpseq"}) {
    const Result r = Run("align " + kExamples + first + " " + ct + "#2" + kAt);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, table.out) << first;
    EXPECT_EQ(r.err, "");
  }
  // The first of the CT file's two structures, with a note on stderr.
  const Result same = Run("align " + ct + " example:5" + kAt);
  ASSERT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.err, "zenphal-cli: " + ct + " holds 2 structures; using the first (use " + ct +
                          "#K to pick another)\n");
  EXPECT_EQ(same.out, Run("align example:5 example:5" + kAt).out);
}

TEST_F(CliFormats, FormatOptionForcesOneReaderForBothFiles) {
  const std::string dbn = kExamples + "/yeast-trna.dbn";
  const Result forced = Run("align " + dbn + " " + dbn + " --format dot-bracket" + kAt);
  EXPECT_EQ(forced.status, 0) << forced.err;
  const Result wrong = Run("align " + dbn + " example:6 --format ct" + kAt);
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err, "zenphal-cli: " + dbn + ": CT: line 1: a CT header must begin with the number of bases, not "
                       "'>yeast'\n");
  const Result unknown = Run("decompose example:5 example:6 --format fasta");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("--format"), std::string::npos) << unknown.err;
  const Result help = Run("decompose --help");
  EXPECT_NE(help.out.find("{auto,layout,dot-bracket,ct,bpseq,stockholm}"), std::string::npos) << help.out;
}

TEST_F(CliFormats, FaultyFilesExitTwoWithOneLineNamingFileAndLine) {
  const std::string ct = kExamples + "/trnas.ct";
  const std::string unbalanced = Write("u.dbn", ">u\r\nGGGAAACC\r\n(((...))\r\n");
  const std::string oneSided = Write("o.bpseq", "Filename: o\n1 G 3\n2 A 0\n3 C 0\n");
  const struct {
    std::string operand, message;
  } cases[] = {
      {unbalanced, unbalanced + ": line 3, column 1: '(' is never closed"},
      {oneSided, oneSided + ": line 2: base 1 pairs with 3, but base 3 (line 4) pairs with nothing"},
      {ct + "#3", ct + "#3: the text holds 2 structures; there is no structure 3"},
      {ct + "#0", ct + "#0: '#0' is not a structure number; structures are numbered from 1"},
      {kExamples + "/none.ct#2", kExamples + "/none.ct: cannot open"},
      {kExamples, kExamples + ": is a directory, not a file"},
  };
  for (const auto& c : cases) {
    const Result r = Run("align example:1 " + c.operand + kAt);
    EXPECT_EQ(r.status, 2) << c.operand;
    EXPECT_TRUE(r.err.starts_with("zenphal-cli: " + c.message)) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST_F(CliFormats, AFileNamedWithHashIsReadAsItIs) {
  const std::string path = Write("tRNA#2", ">x\nGGGAAACCC\n(((...)))\n");
  const Result r = Run("align " + path + " " + path + kAt);
  EXPECT_EQ(r.status, 0) << r.err;
}

// examples/trnas.sto aligns the example table's two tRNAs: each member is
// the same structure as the dot-bracket sample, and decomposes alike.
TEST_F(CliFormats, StockholmMembersDecomposeAsTheSameStructureInDotBracket) {
  const std::string sto = kExamples + "/trnas.sto";
  const std::string fromSto = zenphal::testing::TempPath("sto.json");
  const std::string fromDbn = zenphal::testing::TempPath("dbn.json");
  const Result a = Run("decompose -q '" + sto + "#yeast_tRNA-Phe/1-76' example:6 --mismatch 0,4 --json " + fromSto);
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.err, "");
  const Result b = Run("decompose -q " + kExamples + "/yeast-trna.dbn example:6 --mismatch 0,4 --json " + fromDbn);
  ASSERT_EQ(b.status, 0) << b.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(zenphal::testing::ReadFile(fromSto), zenphal::testing::ReadFile(fromDbn));
  // By position, and both members against the example table's rows.
  const Result members = Run("align " + sto + "#1 " + sto + "#Leu_gene_tRNA/1-74" + kAt);
  ASSERT_EQ(members.status, 0) << members.err;
  EXPECT_EQ(members.out, Run("align example:5 example:6" + kAt).out);
  // Without a selector: the first member, and a note naming it.
  const Result first = Run("align " + sto + " example:6" + kAt);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.err, "zenphal-cli: " + sto + " holds 2 sequences; using the first, yeast_tRNA-Phe/1-76 (add #NAME "
                       "or #K to the file name to pick another)\n");
}

TEST_F(CliFormats, StockholmSelectorsAndTheirMessages) {
  const std::string sto = kExamples + "/trnas.sto";
  const std::string ct = kExamples + "/trnas.ct";
  const std::string dbn = kExamples + "/yeast-trna.dbn";
  // A file whose own name holds '#', with a selector after it.
  const std::string hashed = Write("fam#1.sto", zenphal::testing::ReadFile(sto));
  const Result second = Run("align " + hashed + "#2 example:6" + kAt);
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, Run("align example:6 example:6" + kAt).out);
  const struct {
    std::string operand, message;
  } cases[] = {
      {sto + "#nobody", sto + "#nobody: no sequence is named 'nobody' in example-tRNAs (names are matched exactly"},
      {sto + "#3", sto + "#3: no sequence is named '3', and the file holds 2 sequences"},
      {sto + "#example-tRNAs#3", sto + "#example-tRNAs#3: example-tRNAs has no sequence named '3' (it holds 2 sequences)"},
      {sto + "#", sto + "#: nothing follows '#'"},
      {ct + "#yeast", ct + "#yeast: '#yeast' is not a structure number; names pick sequences of Stockholm files "
                      "only, and " + ct + " reads as CT"},
      {dbn + " --format stockholm", dbn + ": Stockholm: line 1: a Stockholm file begins with '# STOCKHOLM 1.0'"},
  };
  for (const auto& c : cases) {
    const Result r = Run("align example:1 " + c.operand + kAt);
    EXPECT_EQ(r.status, 2) << c.operand;
    EXPECT_TRUE(r.err.starts_with("zenphal-cli: " + c.message)) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
  }
}

TEST_F(CliFormats, DroppedConsensusPairsAreToldOnStderr) {
  const std::string rnaseP = ZENPHAL_INFERNAL_DIR "/RNaseP.sto";
  const Result r = Run("align " + rnaseP + "#S.typhimurium example:1" + kAt);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "zenphal-cli: " + rnaseP + "#S.typhimurium: 7 of the 130 pairs of SS_cons dropped: a partner "
                   "column is a gap in S.typhimurium\n");
}

TEST_F(CliFormats, IgnoredLinesAreToldOnStderr) {
  const std::string rnafold =
      Write("p.fold", ">p\nGGGAAAUCC\n(((...))) ( -1.20)\n(((,..))) [-1.50]\n frequency of mfe structure 0.3\n");
  const Result r = Run("decompose " + rnafold + " example:1 --quiet --mismatch 0,1 --gap 0,1");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "zenphal-cli: " + rnafold + ": lines 4 to 5 after the structure line are ignored\n");
}

}  // namespace
