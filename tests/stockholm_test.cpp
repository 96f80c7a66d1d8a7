// The Stockholm reader: alignments as read, the structure of one member,
// selectors, and Rfam-style family files as Infernal ships them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/rna_structure.h"
#include "format_writers.h"
#include "formats/dot_bracket.h"
#include "formats/example_table.h"
#include "formats/input_file.h"
#include "formats/read_structure.h"
#include "formats/stockholm.h"

namespace zenphal {
namespace {

// Two blocks; a pseudoknot letter pair (A at column 3, a at 10) crossing the
// outer stem; gaps of every kind; a sequence with a structure of its own;
// lines the reader passes over (#=GS, #=GC RF, #=GR PP, comments).
//
//   column      0123 4567 | 89 01
//   SS_cons     <<.A .<.> | >> a.     pairs (0,9) (1,8) (5,7) (3,10)
//   AB01.1/3-14 GGAG uCGC | CC Ua     no gaps
//   seq-2.b     GG-A .C.U | C~ GU     gaps at 2 4 6 9: (0,9) dropped
//   x           AAGG AACC | UU ..     own SS ..<<..>>|....: (2,7) (3,6)
const char* const kToy =
    "# STOCKHOLM 1.0\n"
    "#=GF ID   toy\n"
    "#=GF AC   RF99999\n"
    "#=GF DE   a family of three\n"
    "#=GS AB01.1/3-14 DE first member\n"
    "\n"
    "AB01.1/3-14     GGAGuCGC\n"
    "seq-2.b         GG-A.C.U\n"
    "x               AAGGAACC\n"
    "#=GR x SS       ..<<..>>\n"
    "#=GR x PP       99999999\n"
    "#=GC SS_cons    <<.A.<.>\n"
    "#=GC RF         xxxxxxxx\n"
    "\n"
    "# a comment between the blocks\n"
    "AB01.1/3-14     CCUa\n"
    "seq-2.b         C~GU\n"
    "x               UU..\n"
    "#=GR x SS       ....\n"
    "#=GC SS_cons    >>a.\n"
    "//\n";

const std::string kInfernal = ZENPHAL_INFERNAL_DIR;

std::string InfernalFile(const std::string& name) {
  const std::string path = kInfernal + "/" + name;
  if (!std::filesystem::exists(path)) {
    ADD_FAILURE() << path << " is missing: scripts/setup.sh installs Debian's infernal package, which ships it";
    return "";
  }
  return ReadInputFile(path);
}

StructureRead Member(const std::string& text, const std::string& selector) {
  const std::vector<StockholmAlignment> alignments = ReadStockholm(text);
  const StockholmPick pick = PickStockholmSequence(alignments, selector);
  return StockholmStructure(alignments[pick.alignment], pick.sequence);
}

TEST(StockholmRead, TheAlignmentIsKeptWhole) {
  const std::vector<StockholmAlignment> alignments = ReadStockholm(kToy);
  ASSERT_EQ(alignments.size(), 1u);
  const StockholmAlignment& a = alignments[0];
  EXPECT_EQ(a.line, 1);
  EXPECT_EQ(a.id, "toy");
  EXPECT_EQ(a.accession, "RF99999");
  EXPECT_EQ(a.Width(), 12u);
  ASSERT_EQ(a.sequences.size(), 3u);
  EXPECT_EQ(a.sequences[1].name, "seq-2.b");
  EXPECT_EQ(a.sequences[1].row, "GG-A.C.UC~GU");
  EXPECT_EQ(a.sequences[1].line, 8);
  EXPECT_EQ(a.sequences[1].ss, "");
  EXPECT_EQ(a.sequences[2].ss, "..<<..>>....");
  EXPECT_EQ(a.ssCons, "<<.A.<.>>>a.");
  const formats::PairTable consensus = {9, 8, -1, 10, -1, 7, -1, 5, 1, 0, 3, -1};
  EXPECT_EQ(a.consensusPairs, consensus);
  EXPECT_EQ(a.Find("x"), 2u);
  EXPECT_EQ(a.Find("X"), std::string::npos);
}

TEST(StockholmRead, MembersTakeTheirOwnStructureOrTheConsensusWithoutGaps) {
  // No gaps: every consensus pair; the letter pair crosses the outer stem and
  // becomes a stem of its own. Bases stay as written (u, a).
  const StructureRead first = Member(kToy, "AB01.1/3-14");
  EXPECT_EQ(first.bases, "GGAGuCGCCCUa");
  EXPECT_EQ(first.stems, "0 9 2 3 10 1 5 7 1");
  EXPECT_EQ(first.format, StructureFormat::kStockholm);
  EXPECT_TRUE(first.notes.empty());
  EXPECT_EQ(first.structureCount, 3);
  EXPECT_EQ(first.structureUsed, 1);
  // Gap columns removed: positions 0 1 2 3 4 5 6 7 are columns 0 1 3 5 7 8 10
  // 11; (0,9) is dropped, (1,8) (3,10) (5,7) become (1,5) (2,6) (3,4).
  const StructureRead second = Member(kToy, "seq-2.b");
  EXPECT_EQ(second.bases, "GGACUCGU");
  EXPECT_EQ(second.stems, "1 5 1 2 6 1 3 4 1");
  EXPECT_EQ(second.notes, std::vector<std::string>{"1 of the 4 pairs of SS_cons dropped: a partner column is a gap "
                                                   "in seq-2.b"});
  // Its own #=GR SS line wins over SS_cons.
  const StructureRead third = Member(kToy, "x");
  EXPECT_EQ(third.bases, "AAGGAACCUU");
  EXPECT_EQ(third.stems, "2 7 2");
  EXPECT_EQ(third.structureUsed, 3);
  for (const StructureRead& read : {first, second, third}) CRnaStructure(read.bases, read.stems);  // accepted
}

// The same structure written as dot-bracket reads to the same texts, so the
// two align exactly alike.
TEST(StockholmRead, AMemberReadsAsTheSameStructureInDotBracket) {
  const StructureRead dbn = ReadDotBracket(">AB01\nGGAGuCGCCCUa\n((.[.(.)))].\n");
  const StructureRead sto = Member(kToy, "1");
  EXPECT_EQ(sto.bases, dbn.bases);
  EXPECT_EQ(sto.stems, dbn.stems);
  // The sample of examples/: the example table's two tRNAs, aligned.
  const StructureRead yeast = ReadStockholmText(ReadInputFile(ZENPHAL_EXAMPLES_DIR "/trnas.sto"), 1);
  const StructureRead leu = ReadStockholmText(ReadInputFile(ZENPHAL_EXAMPLES_DIR "/trnas.sto"), 2);
  for (const auto& [read, row] : {std::pair{yeast, 5}, std::pair{leu, 6}}) {
    const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
    EXPECT_EQ(read.bases, r.bases);
    EXPECT_EQ(read.stems, r.stems);
  }
}

TEST(StockholmRead, DetectedByItsHeaderAndReadThroughTheOneEntryPoint) {
  EXPECT_EQ(DetectStructureFormat(kToy), StructureFormat::kStockholm);
  EXPECT_EQ(DetectStructureFormat("\r\n# STOCKHOLM 1.0\r\nbroken"), StructureFormat::kStockholm);
  EXPECT_EQ(DetectStructureFormat("# STOCK\n"), std::nullopt);
  const StructureRead second = ReadStructureText(kToy, StructureFormat::kAuto, 2);
  EXPECT_EQ(second.bases, "GGACUCGU");
  EXPECT_EQ(StructureFormatFromName("stockholm"), StructureFormat::kStockholm);
  EXPECT_EQ(StructureFormatTitle(StructureFormat::kStockholm), "Stockholm");
}

// Two alignments; "human" in both, a sequence named "2" in the second.
const char* const kTwoFamilies =
    "# STOCKHOLM 1.0\n#=GF ID fam-a\n#=GF AC RF00001\n"
    "human  GGAACC\nmouse  GGAACC\n#=GC SS_cons <<..>>\n//\n"
    "# STOCKHOLM 1.0\n#=GF ID fam-b\n"
    "human  GCAAGC\n2      GCAAGC\nu/1-6  GCA.GC\n#=GC SS_cons <<..>>\n//\n";

TEST(StockholmSelectors, NamesNumbersAndFamiliesAreUnambiguous) {
  const std::vector<StockholmAlignment> a = ReadStockholm(kTwoFamilies);
  ASSERT_EQ(a.size(), 2u);
  const auto pick = [&](const std::string& selector) {
    const StockholmPick p = PickStockholmSequence(a, selector);
    return std::pair{p.alignment, p.sequence};
  };
  using P = std::pair<size_t, size_t>;
  EXPECT_EQ(pick(""), P(0, 0));
  EXPECT_EQ(pick("mouse"), P(0, 1));
  EXPECT_EQ(pick("u/1-6"), P(1, 2));
  EXPECT_EQ(pick("2"), P(1, 1));         // a name first
  EXPECT_EQ(pick("3"), P(1, 0));         // else the K-th of the file
  EXPECT_EQ(pick("fam-b#human"), P(1, 0));
  EXPECT_EQ(pick("RF00001#human"), P(0, 0));
  EXPECT_EQ(pick("2#human"), P(1, 0));   // the second alignment: none is named "2"
  EXPECT_EQ(pick("fam-a#2"), P(0, 1));   // the second of fam-a: it has no "2"
  EXPECT_EQ(pick("fam-b#2"), P(1, 1));   // the one named "2"
  const struct {
    std::string selector, message;
  } refused[] = {
      {"human", "'human' could name 'human' of fam-a or 'human' of fam-b; write it as FAMILY#NAME"},
      {"rat", "no sequence is named 'rat' in any of the 2 alignments"},
      {"fam-a#rat", "fam-a has no sequence named 'rat' (it holds 2 sequences)"},
      {"6", "no sequence is named '6', and the file holds 5 sequences"},
      {"0", "sequences are numbered from 1"},
      {"fam-c#human", "no sequence is named 'fam-c#human'"},
  };
  for (const auto& r : refused) {
    try {
      pick(r.selector);
      ADD_FAILURE() << r.selector << " was accepted";
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(PickStockholmAlignment(a, "fam-b"), 1u);
  EXPECT_EQ(PickStockholmAlignment(a, "RF00001"), 0u);
  EXPECT_EQ(PickStockholmAlignment(a, "2"), 1u);
  EXPECT_THROW(PickStockholmAlignment(a, "3"), InputError);
  EXPECT_EQ(PickStockholmMember(a[1], "u/1-6"), 2u);
  EXPECT_THROW(PickStockholmMember(a[1], "mouse"), InputError);
  // The selector written for each sequence names it and nothing else.
  EXPECT_EQ(StockholmSelector(a, {0, 0}), "fam-a#human");
  EXPECT_EQ(StockholmSelector(a, {1, 1}), "2");
  EXPECT_EQ(StockholmSelector(a, {0, 1}), "mouse");
}

// Each malformed text is rejected with a message naming the line and the problem.
TEST(StockholmErrors, MalformedFilesAreRejectedWithLineAndProblem) {
  const std::string h = "# STOCKHOLM 1.0\n";
  const struct {
    std::string text, message;
  } cases[] = {
      {"hello\n", "line 1: a Stockholm file begins with '# STOCKHOLM 1.0', not 'hello'"},
      {"", "no alignment"},
      {h + "a ACGU\n#=GC SS_cons <..>\n", "line 1: the alignment that begins here has no closing '//' line"},
      {h + "a ACGU\n#=GC SS_cons <...\n//\n", "line 3, column 14: '<' is never closed"},
      {h + "a ACGU\n#=GC SS_cons .>..\n//\n", "line 3, column 15: '>' closes no '<'"},
      {h + "a ACGU\n#=GC SS_cons <.a>\n//\n", "line 3, column 16: 'a' closes no 'A'"},
      {h + "a ACGU\n#=GC SS_cons <.*>\n//\n", "line 3, column 16: '*' is not a WUSS structure character"},
      {h + "a AC\n#=GC SS_cons <.\n\na GU\n#=GC SS_cons .)\n//\n", "line 6, column 15: ')' closes no '('"},
      {h + "a ACGU\n#=GC SS_cons <..>.\n//\n", "line 3: SS_cons has 5 columns, but line 2 of the same block has 4"},
      {h + "a ACGU\n#=GR a SS <..\n//\n", "line 3: the SS line of 'a' has 3 columns, but line 2 of the same block"},
      {h + "a ACGU\n#=GR b SS <..>\n//\n", "line 3: #=GR names 'b', which is no sequence of the alignment above it"},
      {h + "a ACGU\na ACGU\n//\n", "line 3: 'a' has a second row in the same block"},
      {h + "a AC GU\n//\n", "line 2: a sequence line is a name and its aligned row; found 3 fields"},
      {h + "a AC\nb AC\n\na GU\n//\n", "line 3: 'b' has 2 columns in all, but 'a' (line 2) has 4"},
      {h + "a AC\n#=GR a SS ..\n\na GU\n//\n", "line 3: the SS line of 'a' has 2 columns in all, but 'a'"},
      {h + "//\n", "line 2: the alignment that begins at line 1 holds no sequences"},
      {h + "a ACGU\n" + h, "line 3: a new alignment begins before the one at line 1 has ended with '//'"},
      {h + "a ACGU\n#=GC SS_cons <..>\n//\nxyz\n", "line 5: after '//' only another '# STOCKHOLM 1.0' may follow"},
      {h + "a ACGU\n//\n", "'a' (line 2) has no structure: the alignment has neither a #=GC SS_cons line nor"},
      {h + "a ..-.\n#=GC SS_cons <..>\n//\n", "line 2: 'a' holds only gaps"},
      {h + "a " + std::string(32768, 'A') + "\n#=GC SS_cons " + std::string(32768, '.') + "\n//\n",
       "'a' has 32768 bases; at most 32767"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    try {
      const StructureRead read = ReadStructureText(c.text, StructureFormat::kStockholm, 0);
      ADD_FAILURE() << "accepted; stems '" << read.stems << "'";
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

// Families as Infernal ships them (Debian's infernal package).
TEST(StockholmRealFiles, RfamFamiliesReadWithEveryMember) {
  const struct {
    std::string file;
    size_t sequences;
    std::string id;
  } families[] = {{"tRNA.sto", 967, "tRNA"}, {"Vault.sto", 75, "Vault"}, {"trna-2.sto", 5, "trna"},
                  {"PK-HAV.sto", 2, "PK-HAV"}, {"RNaseP.sto", 5, ""}};
  for (const auto& f : families) {
    SCOPED_TRACE(f.file);
    const std::string text = InfernalFile(f.file);
    const std::vector<StockholmAlignment> a = ReadStockholm(text);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].id, f.id);
    ASSERT_EQ(a[0].sequences.size(), f.sequences);
    for (size_t s = 0; s < a[0].sequences.size(); ++s) {
      const StructureRead read = StockholmStructure(a[0], s);
      const CRnaStructure structure(read.bases, read.stems);  // accepted
      EXPECT_EQ(static_cast<size_t>(structure.length), read.bases.size());
      EXPECT_EQ(StockholmSelector(a, {0, s}), a[0].sequences[s].name);
    }
  }
  // The first tRNA of trna-2.sto is yeast tRNA-Phe without its CCA end (and
  // with G at 37, where the example table has A): the same four stems.
  const StructureRead df6280 = Member(InfernalFile("trna-2.sto"), "DF6280");
  EXPECT_EQ(df6280.bases, "GCGGAUUUAGCUCAGUUGGGAGAGCGCCAGACUGAAGAUCUGGAGGUCCUGUGUUCGAUCCACAGAAUUCGCA");
  EXPECT_EQ(df6280.stems, ExampleTable()[4].stems);
  // Rfam names hold '/', '-' and '.'.
  const StructureRead named = Member(InfernalFile("tRNA.sto"), "X06054.1/711-637");
  EXPECT_EQ(named.bases.substr(0, 12), "GGGCCCGUCGUC");
}

TEST(StockholmRealFiles, PseudoknotLettersPairAcrossBlocks) {
  // PK-HAV's SS_cons: <<<<<<<<<< ... AAAAAAA>>>>>>>>>> ... a.aa | a.aaa.
  const std::vector<StockholmAlignment> a = ReadStockholm(InfernalFile("PK-HAV.sto"));
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0].Width(), 56u);
  const formats::PairTable& p = a[0].consensusPairs;
  EXPECT_EQ(p[20], 54);  // the first 'A' with the last 'a'
  EXPECT_EQ(p[26], 46);      // the last 'A' with the first 'a'
  const StructureRead second = StockholmStructure(a[0], 1);
  const CRnaStructure s(second.bases, second.stems);
  int crossing = 0;
  for (int i = 0; i < s.length; ++i) {
    for (int j = i + 1; j < s.length; ++j) {
      if (s.partner[i] > i && s.partner[j] > j && j < s.partner[i] && s.partner[i] < s.partner[j]) ++crossing;
    }
  }
  EXPECT_GT(crossing, 0);
}

TEST(StockholmRealFiles, SeveralAlignmentsInOneFile) {
  // 4.sto: tRNA, Vault, snR75 and Plant_SRP, one after the other.
  const std::vector<StockholmAlignment> a = ReadStockholm(InfernalFile("4.sto"));
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(a[1].id, "Vault");
  EXPECT_EQ(a[1].accession, "RF00006");
  const StockholmPick vault = PickStockholmSequence(a, "Vault#3");
  EXPECT_EQ(vault.alignment, 1u);
  EXPECT_EQ(vault.sequence, 2u);
  EXPECT_EQ(PickStockholmAlignment(a, "RF01185"), 2u);
  // se.dbl.sto holds one alignment twice (se1, se2): "human" is in both.
  const std::vector<StockholmAlignment> twice = ReadStockholm(InfernalFile("se.dbl.sto"));
  EXPECT_THROW(PickStockholmSequence(twice, "human"), InputError);
  EXPECT_EQ(PickStockholmSequence(twice, "se2#human").alignment, 1u);
}

TEST(StockholmRealFiles, FaultyFilesAreRejectedNamingTheLine) {
  // srp-euk.sto writes its #=GR SS lines with '>' opening, as an old format
  // did; WUSS has '<' open.
  try {
    ReadStockholm(InfernalFile("srp-euk.sto"));
    ADD_FAILURE() << "accepted";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "line 5, column 25: '>' closes no '<'");
  }
  // se.noss.sto has no structure at all.
  EXPECT_THROW(ReadStockholmText(InfernalFile("se.noss.sto")), InputError);
}

}  // namespace
}  // namespace zenphal
