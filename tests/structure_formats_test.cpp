// The dot-bracket, CT and BPSEQ readers and the format detection.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/errors.h"
#include "engine/rna_structure.h"
#include "format_writers.h"
#include "formats/bpseq.h"
#include "formats/ct.h"
#include "formats/dot_bracket.h"
#include "formats/read_structure.h"
#include "formats/example_table.h"
#include "formats/layout.h"

namespace zenphal {
namespace {

using testing::PairsOf;
using testing::WithLineEnds;
using testing::WriteBpseq;
using testing::WriteCt;
using testing::WriteDotBracket;
using Pairs = std::vector<std::pair<int, int>>;

CRnaStructure ExampleStructure(int row) {
  const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
  return CRnaStructure(r.bases, r.stems);
}

Pairs PairsRead(const StructureRead& read) { return PairsOf(CRnaStructure(read.bases, read.stems)); }

// Every example, written in each format with the variations real files show,
// reads back (through the detection too) to the same bases and pairs, and to
// the table's own stem text: its stems are maximal runs of stacked pairs.
TEST(StructureFormatsRoundTrip, EveryExampleInEveryFormatReadsBackToTheSamePairs) {
  for (int row = 1; row <= kExampleCount; ++row) {
    SCOPED_TRACE("example " + std::to_string(row));
    const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
    const CRnaStructure s = ExampleStructure(row);
    const std::vector<std::pair<StructureFormat, std::string>> texts = {
        {StructureFormat::kDotBracket, WriteDotBracket(s)},
        {StructureFormat::kDotBracket, WriteDotBracket(s, std::string(r.name), " (-12.30)")},
        {StructureFormat::kDotBracket, WithLineEnds(WriteDotBracket(s, "x", " ( -1.20)"), "\r\n")},
        {StructureFormat::kCt, WriteCt(s)},
        {StructureFormat::kCt, WithLineEnds(WriteCt(s, " dG = -21.5 tRNA", "\t"), "\r\n")},
        {StructureFormat::kBpseq, WriteBpseq(s)},
        {StructureFormat::kBpseq,
         WithLineEnds(WriteBpseq(s, "Filename: x.bpseq\nOrganism: yeast\nAccession Number: X\nCitation and "
                                    "related information\n# a comment\n"),
                      "\r\n")},
    };
    for (const auto& [format, text] : texts) {
      SCOPED_TRACE(text.substr(0, 40));
      ASSERT_EQ(DetectStructureFormat(text), format);
      const StructureRead read = ReadStructureText(text);
      EXPECT_EQ(read.format, format);
      EXPECT_EQ(read.bases, r.bases);
      EXPECT_EQ(read.stems, r.stems);
      EXPECT_EQ(PairsRead(read), PairsOf(s));
      EXPECT_EQ(read.structureCount, 1);
      EXPECT_TRUE(read.notes.empty());
    }
  }
}

TEST(StructureFormatsRoundTrip, StemsAreMaximalRunsOfStackedPairs) {
  // A bulge and an interior loop each end a stem; a hairpin with no loop
  // bases still stacks.
  EXPECT_EQ(ReadDotBracket("GGAGGAAACCACC\n((.((...)).))\n").stems, "0 12 2 3 9 2");
  EXPECT_EQ(ReadDotBracket("GGCC\n(())\n").stems, "0 3 2");
  EXPECT_EQ(ReadDotBracket("GAAAC\n.....\n").stems, "");
  // Crossing pairs of different bracket kinds become separate stems that
  // CRnaStructure accepts.
  const StructureRead knot = ReadDotBracket("GGAACCAAGGAACC\n((..[[..))..]]\n");
  EXPECT_EQ(knot.stems, "0 9 2 4 13 2");
  EXPECT_EQ(PairsRead(knot), (Pairs{{0, 9}, {1, 8}, {4, 13}, {5, 12}}));
  EXPECT_EQ(ReadDotBracket("ACGUACGU\n([{<)]}>\n").stems, "0 4 1 1 5 1 2 6 1 3 7 1");
}

TEST(StructureFormatsRoundTrip, BasesAreKeptAsWritten) {
  // Lower case, T next to U, N: every base stays, so positions stay right.
  const StructureRead dbn = ReadDotBracket("ggnTuacc\n((....))\n");
  EXPECT_EQ(dbn.bases, "ggnTuacc");
  EXPECT_EQ(ReadBpseq("1 g 3\n2 N 0\n3 c 1\n").bases, "gNc");
  EXPECT_EQ(ReadCt("2 x\n1 t 0 2 0 1\n2 u 1 0 0 2").bases, "tu");
}

TEST(StructureFormatsRealWorld, DotBracketAsToolsWriteIt) {
  // RNAfold -p: the ensemble lines after the structure are ignored, with a note.
  const std::string rnafold =
      ">seq1\nGGGAAAUCC\n(((...))) ( -1.20)\n(((,..))) [-1.50]\n(((...))) {-1.20 d=2.30}\n frequency of mfe "
      "structure in ensemble 0.3\n";
  const StructureRead read = ReadStructureText(rnafold);
  EXPECT_EQ(read.format, StructureFormat::kDotBracket);
  EXPECT_EQ(read.stems, "0 8 3");
  ASSERT_EQ(read.notes.size(), 1u);
  EXPECT_EQ(read.notes[0], "lines 4 to 6 after the structure line are ignored");
  // bpRNA style '#' lines, blank lines, tabs, a byte order mark, no final line end.
  const StructureRead dbn =
      ReadStructureText("\xEF\xBB\xBF#Name: x\n#Length: 9\n\n  GGGAAAUCC\t\n\n(((...)))\t-1.2");
  EXPECT_EQ(dbn.format, StructureFormat::kDotBracket);
  EXPECT_EQ(dbn.bases, "GGGAAAUCC");
  EXPECT_EQ(dbn.stems, "0 8 3");
  // Old Mac line ends.
  EXPECT_EQ(ReadStructureText(">x\rGGGAAAUCC\r(((...)))\r").stems, "0 8 3");
}

TEST(StructureFormatsRealWorld, CtAndBpseqAsDatabasesWriteThem) {
  // '#' lines before the header, a header of the count alone, tabs, CR LF and
  // no final line end.
  const std::string ct =
      "# File PDB_00001.ct\r\n# From: PDB\r\n5\r\n1\tg\t0\t2\t5\t1\r\n2\tA\t1\t3\t0\t2\r\n"
      "3\tA\t2\t4\t0\t3\r\n4\tA\t3\t5\t0\t4\r\n5\tc\t4\t0\t1\t5";
  const StructureRead read = ReadStructureText(ct);
  EXPECT_EQ(read.format, StructureFormat::kCt);
  EXPECT_EQ(read.bases, "gAAAc");
  EXPECT_EQ(read.stems, "0 4 1");
  // BPSEQ with a blank line inside and a comment between the base lines.
  const StructureRead bpseq = ReadStructureText("# RNA STRAND\n\n1 G 4\n2 A 0\n\n# note\n3 A 0\n4 C 1");
  EXPECT_EQ(bpseq.format, StructureFormat::kBpseq);
  EXPECT_EQ(bpseq.stems, "0 3 1");
}

TEST(StructureFormatsRealWorld, SeveralStructuresUseTheFirstUnlessOneIsPicked) {
  const CRnaStructure yeast = ExampleStructure(5), leu = ExampleStructure(6);
  const std::string ct = WriteCt(yeast) + "\n" + WriteCt(leu, "   ENERGY = -19.0   Leu");
  const StructureRead first = ReadStructureText(ct);
  EXPECT_EQ(first.structureCount, 2);
  EXPECT_EQ(first.structureUsed, 1);
  EXPECT_EQ(PairsRead(first), PairsOf(yeast));
  const StructureRead second = ReadStructureText(ct, StructureFormat::kAuto, 2);
  EXPECT_EQ(second.structureUsed, 2);
  EXPECT_EQ(second.bases, leu.sequence);
  EXPECT_EQ(PairsRead(second), PairsOf(leu));

  const std::string dbn = WriteDotBracket(yeast, "yeast") + WriteDotBracket(leu, "leu") + WriteDotBracket(leu, "x");
  const StructureRead third = ReadStructureText(dbn, StructureFormat::kAuto, 3);
  EXPECT_EQ(third.structureCount, 3);
  EXPECT_EQ(PairsRead(third), PairsOf(leu));
  EXPECT_EQ(ReadStructureText(dbn).bases, yeast.sequence);
}

// Each malformed text is rejected with a message naming the line and the problem.
struct Malformed {
  StructureFormat format;
  std::string text;
  std::string message;  // a fragment of the expected message
  int structureNumber = 0;
};

TEST(StructureFormatsErrors, MalformedTextsAreRejectedWithLineAndProblem) {
  using F = StructureFormat;
  const std::string threeBases = "3 t\n1 G 0 2 3 1\n2 A 1 3 0 2\n3 C 2 0 1 3\n";
  const std::vector<Malformed> cases = {
      // dot-bracket
      {F::kDotBracket, ">x\nGGGAAACCC\n(((...))\n", "line 3: the structure has 8 characters but the sequence (line 2) has 9"},
      {F::kDotBracket, "GGAAACC\n(...)))\n", "line 2, column 6: ')' closes no '('"},
      {F::kDotBracket, "GGAAACC\n((...).\n", "line 2, column 1: '(' is never closed"},
      {F::kDotBracket, "GGAAACC\n((...]]\n", "line 2, column 6: ']' closes no '['"},
      {F::kDotBracket, "GGAAACC\n((.,.))\n", "line 2, column 4: ',' is not a dot-bracket character"},
      {F::kDotBracket, "GGAAACC\n((...)) energy\n", "line 2: unexpected text 'energy' after the structure"},
      {F::kDotBracket, "GGA AACC\n((...))\n", "line 1: the sequence holds white space"},
      {F::kDotBracket, ">x\nGGGAAACCC\n", "line 2: no structure line follows the sequence"},
      {F::kDotBracket, ">x\n\n", "line 1: no sequence line follows the name line"},
      {F::kDotBracket, "GGGAAA\nCCC\n(((...)))\n", "line 2, column 1: the line after the sequence is not a dot-bracket"},
      {F::kDotBracket, "", "no sequence line"},
      {F::kDotBracket, ">a\nGC\n()\n>b\nGC\n(.\n", "line 6, column 1: '(' is never closed"},
      {F::kDotBracket, ">a\nGC\n()\n>b\nGC\n()\n", "holds 2 structures; there is no structure 3", 3},
      {F::kDotBracket, std::string(32768, 'A') + "\n" + std::string(32768, '.'), "at most 32767"},
      // CT
      {F::kCt, "ENERGY = -1.0\n1 G 0 0 0 1\n", "line 1: a CT header must begin with the number of bases, not 'ENERGY'"},
      {F::kCt, "0 empty\n", "line 1: the header gives '0' bases; 1 to 32767"},
      {F::kCt, "99999999999 huge\n", "the header gives '99999999999' bases"},
      {F::kCt, "3 t\n1 G 0 2 3 1\n3 A 1 3 0 2\n3 C 2 0 1 3\n", "line 3: index '3' where 2 was expected (the header on line 1 gives 3 bases)"},
      {F::kCt, "3 t\n1 G 0 2 3 1\n2 A 1 3\n", "line 3: a CT base line needs index, base, previous, next and partner; found 4 fields"},
      {F::kCt, "1 t\n1 GA 0 0 0 1\n", "line 2: the base 'GA' is not one character"},
      {F::kCt, "1 t\n1 G x 0 0 1\n", "line 2: the previous field 'x' is not a whole number"},
      {F::kCt, "3 t\n1 G 0 2 5 1\n2 A 1 3 0 2\n3 C 2 0 1 3\n", "line 2: partner 5 of base 1 is outside 0 to 3"},
      {F::kCt, "3 t\n1 G 0 2 0 1\n2 A 1 3 2 2\n3 C 2 0 0 3\n", "line 3: base 2 pairs with itself"},
      {F::kCt, "3 t\n1 G 0 2 3 1\n2 A 1 3 0 2\n3 C 2 0 0 3\n", "line 2: base 1 pairs with 3, but base 3 (line 4) pairs with nothing"},
      {F::kCt, "4 t\n1 G 0 2 3 1\n2 A 1 3 4 2\n3 C 2 0 1 3\n4 U 3 0 1 4\n", "line 3: base 2 pairs with 4, but base 4 (line 5) pairs with 1"},
      {F::kCt, "5 t\n1 G 0 2 3 1\n2 A 1 3 0 2\n3 C 2 0 1 3\n", "line 1: the text ends after 3 of the 5 bases the header gives"},
      {F::kCt, threeBases + "4 U 3 0 0 4\n", "line 5: a line for base 4 (the header on line 1 gives 3 bases)"},
      {F::kCt, threeBases + "\n" + threeBases, "holds 2 structures; there is no structure 3", 3},
      {F::kCt, threeBases + "x\n", "line 5: a CT header must begin with the number of bases, not 'x'"},
      // BPSEQ
      {F::kBpseq, "Filename: x.bpseq\nOrganism: y\n", "no BPSEQ base lines"},
      {F::kBpseq, "1 G 0\n3 C 0\n", "line 2: position '3' where 2 was expected"},
      {F::kBpseq, "1 G 5\n2 C 0\n", "line 1: partner 5 of base 1 is outside 0 to 2, the number of bases"},
      {F::kBpseq, "1 G 2\n2 C 0\n", "line 1: base 1 pairs with 2, but base 2 (line 2) pairs with nothing"},
      {F::kBpseq, "1 G 1\n", "line 1: base 1 pairs with itself"},
      {F::kBpseq, "1 G -1\n", "line 1: partner -1 of base 1 is negative"},
      {F::kBpseq, "1 G 0 x\n", "line 1: a BPSEQ line needs position, base and partner; found 4 fields"},
      {F::kBpseq, "1 G 0\nOrganism: late\n", "line 2: a BPSEQ line needs position, base and partner; found 2 fields"},
      {F::kBpseq, "1 GA 0\n", "line 1: the base 'GA' is not one character"},
      {F::kBpseq, "1 G x\n", "line 1: the partner 'x' is not a whole number"},
      {F::kBpseq, "1 G 0\n", "holds 1 structure; there is no structure 2", 2},
      // the layout, forced or as the last resort
      {F::kLayout, ">x\nGGGAAACCC\n(((...)))\n", "not a structure text: no '>' line after the bases"},
      {F::kAuto, " \r\n\t\n", "not a structure text: the text is empty"},
      {F::kAuto, "hello", "not a structure text: no line break after the name line (and not dot-bracket, CT, BPSEQ or Stockholm"},
      {F::kLayout, "x\nACGU\n>\n>\n>\n", "holds 1 structure; there is no structure 2", 2},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    try {
      const StructureRead read = ReadStructureText(c.text, c.format, c.structureNumber);
      ADD_FAILURE() << "accepted; stems '" << read.stems << "'";
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(StructureFormatsErrors, DetectionSendsFaultyFilesToTheirOwnReader) {
  // A CT file with a bad partner is still recognised as CT, so its own
  // reader names the line.
  EXPECT_EQ(DetectStructureFormat("3 t\n1 G 0 2 7 1\n2 A 1 3 0 2\n3 C 2 0 1 3\n"), StructureFormat::kCt);
  EXPECT_EQ(DetectStructureFormat("Filename: x\n1 G 4\n"), StructureFormat::kBpseq);
  EXPECT_EQ(DetectStructureFormat(">x\nGGAAACC\n((...)\n"), StructureFormat::kDotBracket);
  EXPECT_EQ(DetectStructureFormat("GGGG&CCCC\n((((&))))\n"), StructureFormat::kDotBracket);
  EXPECT_EQ(DetectStructureFormat("just a line"), std::nullopt);
  // A layout text that lost its stem labels is not taken for BPSEQ.
  EXPECT_EQ(DetectStructureFormat("x\nACGU\n>\n>\n1 3 1\n>\n"), std::nullopt);
}

// The input dialog's layout: the example table's display texts and the ways
// users type such texts. Detection must take every one of them for the layout
// and read it exactly as SplitStructureText does.
std::vector<std::string> LayoutTexts() {
  std::vector<std::string> texts;
  for (int row = 1; row <= kExampleCount; ++row) {
    const std::string crlf = ExampleDisplayText(row);
    std::string lf;
    for (char c : crlf) {
      if (c != '\r') lf.push_back(c);
    }
    texts.push_back(crlf);
    texts.push_back(lf);
  }
  const std::vector<std::string> typed = {
      "x\nACGU\n>\n>\n>\n",                              // no stems
      "x\r\nACGU\r\n>\r\n (1) 0 3 1\r\n>\r\n",           // one marker line, single spaces
      "Toy:\r\n acgu\r\n GGCC\r\n>\r\n>\r\n (1)  0  7  2\r\n>",  // lower case, bases over two lines, no final line end
      ">tRNA\nGCGGAUUUAG\n>\n>\n (1)  0  9  2\n>\nanything after\n",  // name line starting with '>'
      "76 tRNA\nGCGGAUUUAG\n>\n>\n(1) 0 9 2\n>\n",          // a name line like a CT header
      "1 G 0\nGCGGAUUUAG\n>\n>\n(1) 0 9 2\n>\n",            // a name line like a BPSEQ line
      "GGGAAACCC\n(((...)))\n>\n>\n(1) 0 8 3\n>\n",         // a dot-bracket pair as name and base lines
      "x\nACGU NNN 12 t\nG\n>\n>\n>\n",                     // other characters in the base part
      "x\r\nACGU\r\n>\r\n>\r\n (1)\t0\t3\t1\r\n>\r\n",       // tabs in a stem line: CRnaStructure rejects it, as always
  };
  texts.insert(texts.end(), typed.begin(), typed.end());
  return texts;
}

TEST(StructureFormatsDetection, TheInputDialogLayoutIsAlwaysReadAsBefore) {
  for (const std::string& text : LayoutTexts()) {
    SCOPED_TRACE(text.substr(0, 60));
    const auto split = SplitStructureText(text);
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(DetectStructureFormat(text), StructureFormat::kLayout);
    const StructureRead read = ReadStructureText(text);
    EXPECT_EQ(read.format, StructureFormat::kLayout);
    EXPECT_EQ(read.bases, split->bases);
    EXPECT_EQ(read.stems, split->stems);
    EXPECT_TRUE(read.notes.empty());
  }
}

TEST(StructureFormatsDetection, FormatNames) {
  for (StructureFormat f : {StructureFormat::kAuto, StructureFormat::kLayout, StructureFormat::kDotBracket,
                            StructureFormat::kCt, StructureFormat::kBpseq}) {
    EXPECT_EQ(StructureFormatFromName(StructureFormatName(f)), f);
  }
  EXPECT_EQ(StructureFormatFromName("CT"), std::nullopt);
}

}  // namespace
}  // namespace zenphal
