#include "formats/structure_source.h"

#include <algorithm>
#include <filesystem>

#include "engine/errors.h"
#include "formats/example_table.h"
#include "formats/input_file.h"
#include "formats/read_structure.h"
#include "formats/stockholm.h"

namespace zenphal {
namespace {

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

// "#K" of a file that is not Stockholm: K from 1, leading zeros allowed.
int StructureNumber(const std::string& operand, const std::string& path, const std::string& selector,
                    StructureFormat format) {
  if (selector.find_first_not_of("0123456789") != std::string::npos) {
    const std::string is = format == StructureFormat::kAuto
                               ? " is not a Stockholm file"
                               : " reads as " + std::string(StructureFormatTitle(format));
    throw InputError(operand + ": '#" + selector + "' is not a structure number; names pick sequences of Stockholm " +
                     "files only, and " + path + is);
  }
  const size_t firstDigit = selector.find_first_not_of('0');
  const std::string significant = firstDigit == std::string::npos ? "0" : selector.substr(firstDigit);
  if (significant.size() > 5 || std::stoi(significant) < 1) {
    throw InputError(operand + ": '#" + selector + "' is not a structure number; structures are numbered from 1");
  }
  return std::stoi(significant);
}

StructureSource LoadExample(const std::string& operand, const std::string& number) {
  const bool digits = !number.empty() && number.size() <= 2 &&
                      number.find_first_not_of("0123456789") == std::string::npos;
  const int row = digits ? std::stoi(number) : 0;
  if (row < 1 || row > kExampleCount) {
    throw InputError("unknown example '" + operand + "': use example:1 to example:" + std::to_string(kExampleCount) +
                     " (see 'zenphal-cli examples')");
  }
  const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
  return {operand, {}, std::string(r.bases), std::string(r.stems), {}, {}, {}};
}

// The sequence a selector names in a Stockholm text; its name and where it
// stands go to source.
StructureRead ReadStockholmSource(const std::string& text, const std::string& selector, StructureSource& source) {
  std::vector<StockholmAlignment> alignments = ReadStockholm(text);
  const StockholmPick pick = PickStockholmSequence(alignments, selector);
  const StockholmAlignment& alignment = alignments[pick.alignment];
  source.name = alignment.sequences[pick.sequence].name;
  StructureRead read = StockholmStructure(alignment, pick.sequence);
  size_t total = 0;
  for (const StockholmAlignment& a : alignments) total += a.sequences.size();
  read.structureCount = static_cast<int>(std::min<size_t>(total, 999999999));
  source.stockholm = StockholmOrigin{std::make_shared<const StockholmAlignment>(std::move(alignments[pick.alignment])),
                                     pick.alignment, pick.sequence};
  return read;
}

}  // namespace

SplitOperand SplitStructureOperand(const std::string& operand) {
  const size_t first = operand.find('#');
  if (first == std::string::npos || first == 0 || Exists(operand)) return {operand, ""};
  for (size_t hash = operand.rfind('#'); hash > first; hash = operand.rfind('#', hash - 1)) {
    if (Exists(operand.substr(0, hash))) return {operand.substr(0, hash), operand.substr(hash + 1)};
  }
  return {operand.substr(0, first), operand.substr(first + 1)};
}

StructureSource LoadStructureSource(const std::string& operand, StructureFormat format) {
  static const std::string kExamplePrefix = "example:";
  if (operand.rfind(kExamplePrefix, 0) == 0) return LoadExample(operand, operand.substr(kExamplePrefix.size()));
  const SplitOperand split = SplitStructureOperand(operand);
  if (!split.path.empty() && split.path.size() + 1 == operand.size()) {
    throw InputError(operand + ": nothing follows '#'; use " + split.path + "#K or " + split.path + "#NAME");
  }
  const std::string text = ReadInputFile(split.path);
  StructureSource source{operand, split.path, {}, {}, {}, {}, {}};
  StructureRead read;
  // A forced reader's message says which reader it was.
  const bool forced = format != StructureFormat::kAuto && format != StructureFormat::kLayout;
  try {
    StructureFormat as = format;
    if (as == StructureFormat::kAuto) as = DetectStructureFormat(text).value_or(StructureFormat::kAuto);
    if (as == StructureFormat::kStockholm) {
      read = ReadStockholmSource(text, split.selector, source);
      if (split.selector.empty() && read.structureCount > 1) {
        source.notes.push_back(split.path + " holds " + std::to_string(read.structureCount) +
                               " sequences; using the first, " + source.name + " (add #NAME or #K to the file name "
                               "to pick another)");
      }
    } else {
      const int number = split.selector.empty() ? 0 : StructureNumber(operand, split.path, split.selector, as);
      read = ReadStructureText(text, format, number);
      if (read.structureCount > 1 && number == 0) {
        source.notes.push_back(split.path + " holds " + std::to_string(read.structureCount) +
                               " structures; using the first (use " + split.path + "#K to pick another)");
      }
    }
  } catch (const InputError& e) {
    const std::string message = e.what();
    if (message.starts_with(operand + ": ")) throw;  // already names the operand
    const std::string as = forced ? std::string(StructureFormatTitle(format)) + ": " : "";
    throw InputError(operand + ": " + as + message);
  }
  source.bases = std::move(read.bases);
  source.stems = std::move(read.stems);
  for (const std::string& note : read.notes) source.notes.push_back(operand + ": " + note);
  return source;
}

}  // namespace zenphal
