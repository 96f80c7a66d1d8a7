// Where a reference alignment comes from: two members' rows of a Stockholm
// alignment, the alignment both structures were read from, another
// Stockholm file that holds them (by name or by bases), a stored document;
// and what is refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "computation/document_file.h"
#include "computation/input.h"
#include "formats/pairwise_reference.h"
#include "formats/stockholm.h"
#include "formats/structure_source.h"

namespace zenphal {
namespace {

const std::string kExamples = ZENPHAL_EXAMPLES_DIR;

class Reference : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) / ("zenphal_reference_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string MessageOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const InputError& e) {
      return e.what();
    }
    return "no error";
  }

  std::filesystem::path dir_;
};

// Two alignments: the second's rows hold every gap character, and columns
// of gaps in both of two members.
constexpr const char* kTwoFamilies =
    "# STOCKHOLM 1.0\n#=GF ID first\na  GGAAACC\nb  GG-AACC\n#=GC SS_cons <<...>>\n//\n"
    "# STOCKHOLM 1.0\n#=GF ID second\nx  GG.A_A~CC\ny  GG.AUA-CC\nz  GGGAAAACC\n#=GC SS_cons <<.....>>\n//\n";

TEST_F(Reference, RowsWithoutTheirCommonGapsAndOneGapCharacter) {
  const std::vector<StockholmAlignment> alignments = ReadStockholm(kTwoFamilies);
  const PairwiseReference r = PairwiseReferenceOf(alignments[1], 0, 1, "f.sto");
  EXPECT_EQ(r.top, "GGA_ACC");  // the '.' and '~'/'-' columns are gone
  EXPECT_EQ(r.bottom, "GGAUACC");
  EXPECT_EQ(r.family, "second");
  EXPECT_EQ(r.member1, "x");
  EXPECT_EQ(r.file, "f.sto");
  // The member's bases are exactly those the reader projects the structure on.
  EXPECT_EQ(ReferenceBases(r.top), StockholmStructure(alignments[1], 0).bases);
  EXPECT_EQ(ReferenceBases(r.bottom), StockholmStructure(alignments[1], 1).bases);
  const PairwiseReference self = PairwiseReferenceOf(alignments[1], 2, 2, "");
  EXPECT_EQ(self.top, self.bottom);
  EXPECT_NO_THROW(CheckReferenceFits(r, "GGAACC", "GGAUACC"));

  EXPECT_EQ(MessageOf([&] { CheckReferenceFits(r, "GGAACC", "GGAAACC"); }),
            "the reference alignment of 'x' and 'y' does not align the second structure: base 4 is 'U' in 'y''s "
            "row, 'A' in the structure");
  EXPECT_EQ(MessageOf([&] { CheckReferenceFits(r, "GGAAC", "GGAUACC"); }),
            "the reference alignment of 'x' and 'y' does not align the first structure: 6 bases in 'x''s row, 5 "
            "in the structure");
  PairwiseReference broken = r;
  broken.bottom[3] = '_';
  EXPECT_NE(MessageOf([&] { CheckReferenceFits(broken, "GGAACC", "GGAACC"); }).find("column of two gaps (column 4)"),
            std::string::npos);
  broken = r;
  broken.bottom.pop_back();
  EXPECT_NE(MessageOf([&] { CheckReferenceFits(broken, "GGAACC", "GGAUAC"); }).find("rows of 7 and 6 columns"),
            std::string::npos);
}

TEST_F(Reference, TwoMembersOfOneAlignmentShareItsReference) {
  const std::string file = Write("two.sto", kTwoFamilies);
  ComputationInput in;
  SetStructures(in, LoadStructureSource(file + "#second#x"), LoadStructureSource(file + "#y"));
  ASSERT_TRUE(in.reference);
  EXPECT_EQ(in.reference->top, "GGA_ACC");
  EXPECT_EQ(in.reference->file, file);
  // The same file under another name is the same file.
  const std::string link = (dir_ / "link.sto").string();
  std::filesystem::create_symlink(file, link);
  SetStructures(in, LoadStructureSource(file + "#x"), LoadStructureSource(link + "#z"));
  ASSERT_TRUE(in.reference);
  EXPECT_EQ(in.reference->bottom, "GGGAAAACC");
  // Members of two alignments, a member and an example, two structures of
  // other files: no reference.
  SetStructures(in, LoadStructureSource(file + "#a"), LoadStructureSource(file + "#x"));
  EXPECT_FALSE(in.reference);
  SetStructures(in, LoadStructureSource(file + "#a"), LoadStructureSource("example:1"));
  EXPECT_FALSE(in.reference);
  const std::string dbn = Write("a.dbn", ">a\nGGAAACC\n((...))\n");
  SetStructures(in, LoadStructureSource(dbn), LoadStructureSource(dbn));
  EXPECT_FALSE(in.reference);
}

TEST_F(Reference, AnotherFileHoldsTheMembersByNameOrByBases) {
  const std::string file = Write("two.sto", kTwoFamilies);
  const std::string dbnA = Write("a.dbn", ">a\nGGAAACC\n((...))\n");
  const std::string dbnB = Write("b.dbn", ">whatever\nGGAACC\n((..))\n");
  // Found by their bases, in the one alignment that holds both.
  const PairwiseReference r = FindPairwiseReference(ReadReferenceFile(file), LoadStructureSource(dbnA),
                                                    LoadStructureSource(dbnB));
  EXPECT_EQ(r.family, "first");
  EXPECT_EQ(r.member1, "a");
  EXPECT_EQ(r.member2, "b");
  EXPECT_EQ(r.top, "GGAAACC");
  EXPECT_EQ(r.bottom, "GG_AACC");
  // By name: a Stockholm member is found as itself.
  const std::string copy = Write("copy.sto", kTwoFamilies);
  const PairwiseReference named = FindPairwiseReference(ReadReferenceFile(copy + "#second"),
                                                        LoadStructureSource(file + "#x"),
                                                        LoadStructureSource(file + "#y"));
  EXPECT_EQ(named.member2, "y");
  EXPECT_EQ(named.file, copy);

  const auto refused = [&](const std::string& operand, const std::string& a, const std::string& b) {
    return MessageOf([&] { FindPairwiseReference(ReadReferenceFile(operand), LoadStructureSource(a), LoadStructureSource(b)); });
  };
  const std::string dbnC = Write("c.dbn", ">c\nGGAUACC\n((...))\n");
  EXPECT_EQ(refused(file + "#first", dbnA, dbnC),
            file + "#first: no sequence of first has the 7 bases of " + dbnC + " (bases are compared exactly as written)");
  EXPECT_NE(refused(file, dbnA, dbnC).find("none of its 2 alignments holds both structures"), std::string::npos);
  const std::string twice = Write("twice.sto", "# STOCKHOLM 1.0\np  GGAAACC\nq  GGAAACC\nr  GG-AACC\n//\n");
  EXPECT_NE(refused(twice, dbnA, dbnB).find("2 sequences of the alignment at line 1 have the bases of " + dbnA),
            std::string::npos);
  const std::string both = Write("both.sto", "# STOCKHOLM 1.0\n#=GF ID one\np  GGAAACC\nq  GG-AACC\n//\n"
                                             "# STOCKHOLM 1.0\n#=GF ID two\np  GGAAACC\nq  GGAA-CC\n//\n");
  EXPECT_EQ(refused(both, dbnA, dbnB), both + ": one and two both hold the two structures; name one: " + both + "#FAMILY");
  EXPECT_EQ(FindPairwiseReference(ReadReferenceFile(both + "#two"), LoadStructureSource(dbnA), LoadStructureSource(dbnB))
                .bottom,
            "GGAA_CC");
  // A member named as the structure is, with other bases.
  const std::string other = Write("other.sto", "# STOCKHOLM 1.0\nx  GGAUC-C\ny  GGAUACC\n//\n");
  EXPECT_NE(refused(other, file + "#x", file + "#y").find("'x' of the alignment at line 1 is not " + file +
                                                          "#x: base 4 is 'U' there, 'A' in " + file + "#x"),
            std::string::npos);
  EXPECT_NE(refused(file + "#third", dbnA, dbnB).find("no alignment has the ID or AC 'third'"), std::string::npos);
  EXPECT_THROW(ReadReferenceFile(dbnA), InputError);  // not a Stockholm file
}

TEST_F(Reference, StoredDocumentsKeepItAndOlderOnesOpenWithout) {
  const std::string file = Write("two.sto", kTwoFamilies);
  ComputationInput in;
  SetStructures(in, LoadStructureSource(file + "#x"), LoadStructureSource(file + "#z"));
  in.label1 = in.label2 = "";  // labels are not stored
  const std::string text = DocumentToJson(in);
  EXPECT_NE(text.find("\"reference\": {"), std::string::npos);
  ComputationInput back = DocumentFromJson(text);
  back.label1 = back.label2 = "";
  EXPECT_EQ(back, in);
  // A document of an older version of the program: no reference.
  ComputationInput plain = in;
  plain.reference.reset();
  EXPECT_EQ(DocumentToJson(plain).find("reference"), std::string::npos);
  EXPECT_FALSE(DocumentFromJson(DocumentToJson(plain)).reference);
  // A reference that does not fit its structures, or is malformed.
  std::string tampered = text;
  const std::string bottom = "\"bottom\": \"GGGAAAACC\"";
  tampered.replace(tampered.find(bottom), bottom.size(), "\"bottom\": \"GGGAUAACC\"");
  EXPECT_NE(MessageOf([&] { DocumentFromJson(tampered); }).find("the field \"reference\" does not fit its structures"),
            std::string::npos);
  std::string missing = text;
  missing.replace(missing.find("\"top\""), 5, "\"tip\"");
  EXPECT_EQ(MessageOf([&] { DocumentFromJson(missing); }), "in the field \"reference\": the field \"top\" is missing");
}

}  // namespace
}  // namespace zenphal
