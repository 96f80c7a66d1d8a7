// Random and mutated texts fed to every structure reader (Stockholm selectors
// included) and to SplitStructureText: they must end, never crash (the
// sanitizer build checks memory and undefined behaviour), and either reject
// the text with a message or give texts that CRnaStructure accepts with
// exactly the pairs read.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
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
#include "formats/stockholm.h"

namespace zenphal {
namespace {

// Characters that matter to some reader, drawn more often than others so
// that random texts get past the first checks.
constexpr std::string_view kAlphabet = "0123456789 \t\r\n>()[]{}<>.#-+ACGUTacgu:xE=/_~";

std::string RandomText(std::mt19937& rng, size_t maxLength) {
  std::uniform_int_distribution<size_t> length(0, maxLength);
  std::uniform_int_distribution<int> byte(0, 255), coin(0, 3), pick(0, static_cast<int>(kAlphabet.size()) - 1);
  std::string text(length(rng), '\0');
  for (char& c : text) c = coin(rng) == 0 ? static_cast<char>(byte(rng)) : kAlphabet[static_cast<size_t>(pick(rng))];
  return text;
}

std::string Mutate(std::string text, std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 5), count(1, 4), pick(0, static_cast<int>(kAlphabet.size()) - 1);
  const int mutations = count(rng);
  for (int m = 0; m < mutations; ++m) {
    const size_t at = text.empty() ? 0 : std::uniform_int_distribution<size_t>(0, text.size() - 1)(rng);
    const char c = kAlphabet[static_cast<size_t>(pick(rng))];
    switch (kind(rng)) {
      case 0: if (!text.empty()) text[at] = c; break;
      case 1: text.insert(at, 1, c); break;
      case 2: text.erase(at, std::uniform_int_distribution<size_t>(1, 40)(rng)); break;
      case 3: {  // repeat a stretch, as a duplicated line would
        const std::string stretch = text.substr(at, 60);
        text.insert(at, stretch);
        break;
      }
      case 4: text.resize(at); break;  // cut short
      default: if (!text.empty()) text[at] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    }
  }
  return text;
}

std::vector<std::string> ValidTexts() {
  std::vector<std::string> texts;
  for (int row = 1; row <= kExampleCount; ++row) {
    const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
    const CRnaStructure s(r.bases, r.stems);
    texts.push_back(ExampleDisplayText(row));
    texts.push_back(testing::WriteDotBracket(s, "x", " (-1.20)"));
    texts.push_back(testing::WriteCt(s) + testing::WriteCt(s));
    texts.push_back(testing::WriteBpseq(s, "Filename: x\n# c\n"));
  }
  texts.push_back("GGAACCAAGGAACC\n((..[[..))..]]\n");
  texts.push_back(
      "# STOCKHOLM 1.0\n#=GF ID x\n\na/1-8 GGA.CC-U\nb     GGAACCAU\n#=GR b SS <<..>>..\n#=GC SS_cons <<A.>>.a\n\n"
      "a/1-8 GC\nb     G~\n#=GC SS_cons ()\n//\n# STOCKHOLM 1.0\nc ACGU\n#=GC SS_cons <:>,\n//\n");
  return texts;
}

// One reader call: a rejection must carry a message; an accepted text must
// build a structure whose pairs are the ones read.
void Check(const std::function<StructureRead()>& read) {
  StructureRead result;
  try {
    result = read();
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()), "");
    return;
  }
  if (result.format == StructureFormat::kLayout) {
    // The layout's stem text is read as it always has been: it may still fail.
    try {
      CRnaStructure(result.bases, result.stems);
    } catch (const InputError&) {
    }
    return;
  }
  EXPECT_GE(result.structureCount, result.structureUsed);
  EXPECT_GE(result.structureUsed, 1);
  const CRnaStructure s(result.bases, result.stems);  // must not throw
  EXPECT_EQ(static_cast<size_t>(s.length), result.bases.size());
}

void FeedEverywhere(const std::string& text) {
  for (int number : {0, 1, 2}) {
    Check([&] { return ReadDotBracket(text, number); });
    Check([&] { return ReadCt(text, number); });
    Check([&] { return ReadBpseq(text, number); });
    Check([&] { return ReadStockholmText(text, number); });
    Check([&] { return ReadStructureText(text, StructureFormat::kAuto, number); });
  }
  Check([&] { return ReadStructureText(text, StructureFormat::kLayout); });
  std::string why;
  if (!SplitStructureText(text, &why)) {
    EXPECT_FALSE(why.empty());
  }
  DetectStructureFormat(text);
  // Selectors on whatever alignments the text holds.
  std::vector<StockholmAlignment> alignments;
  try {
    alignments = ReadStockholm(text);
  } catch (const InputError&) {
    return;
  }
  for (const char* selector : {"", "1", "2", "a/1-8", "x#b", "1#2", "b#", "#"}) {
    try {
      const StockholmPick pick = PickStockholmSequence(alignments, selector);
      Check([&] { return StockholmStructure(alignments[pick.alignment], pick.sequence); });
      EXPECT_EQ(PickStockholmSequence(alignments, StockholmSelector(alignments, pick)).sequence, pick.sequence);
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()), "");
    }
  }
}

TEST(StructureFormatsFuzz, RandomBytesNeverCrashOrHang) {
  std::mt19937 rng(20240607);
  for (int i = 0; i < 3000; ++i) {
    const std::string text = (i % 4 == 0 ? "# STOCKHOLM 1.0\n" : "") + RandomText(rng, 160);
    SCOPED_TRACE(::testing::PrintToString(text));
    FeedEverywhere(text);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(StructureFormatsFuzz, MutatedValidFilesNeverCrashOrHang) {
  std::mt19937 rng(7);
  const std::vector<std::string> valid = ValidTexts();
  for (int i = 0; i < 1500; ++i) {
    const std::string text = Mutate(valid[static_cast<size_t>(i) % valid.size()], rng);
    SCOPED_TRACE(::testing::PrintToString(text));
    FeedEverywhere(text);
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace zenphal
