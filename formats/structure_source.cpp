#include "formats/structure_source.h"

#include <filesystem>

#include "engine/errors.h"
#include "formats/example_table.h"
#include "formats/input_file.h"
#include "formats/read_structure.h"

namespace zenphal {
namespace {

// "FILE#K" -> (FILE, K) unless a file is named so; K = 0 when not given.
std::pair<std::string, int> SplitStructureNumber(const std::string& operand) {
  const size_t hash = operand.rfind('#');
  if (hash == std::string::npos || hash == 0 || hash + 1 == operand.size()) return {operand, 0};
  const std::string number = operand.substr(hash + 1);
  if (number.find_first_not_of("0123456789") != std::string::npos) return {operand, 0};
  std::error_code ignored;
  if (std::filesystem::exists(operand, ignored)) return {operand, 0};
  const size_t firstDigit = number.find_first_not_of('0');
  const std::string significant = firstDigit == std::string::npos ? "0" : number.substr(firstDigit);
  if (significant.size() > 5 || std::stoi(significant) < 1) {
    throw InputError(operand + ": '#" + number + "' is not a structure number; structures are numbered from 1");
  }
  return {operand.substr(0, hash), std::stoi(significant)};
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
  return {operand, {}, std::string(r.bases), std::string(r.stems), {}};
}

}  // namespace

StructureSource LoadStructureSource(const std::string& operand, StructureFormat format) {
  static const std::string kExamplePrefix = "example:";
  if (operand.rfind(kExamplePrefix, 0) == 0) return LoadExample(operand, operand.substr(kExamplePrefix.size()));
  const auto [path, number] = SplitStructureNumber(operand);
  const std::string text = ReadInputFile(path);
  StructureRead read;
  try {
    read = ReadStructureText(text, format, number);
  } catch (const InputError& e) {
    // A forced reader's message says which reader it was.
    const bool forced = format != StructureFormat::kAuto && format != StructureFormat::kLayout;
    const std::string as = forced ? std::string(StructureFormatTitle(format)) + ": " : "";
    throw InputError(operand + ": " + as + e.what());
  }
  StructureSource source{operand, path, std::move(read.bases), std::move(read.stems), {}};
  if (read.structureCount > 1 && number == 0) {
    source.notes.push_back(path + " holds " + std::to_string(read.structureCount) +
                           " structures; using the first (use " + path + "#K to pick another)");
  }
  for (const std::string& note : read.notes) source.notes.push_back(operand + ": " + note);
  return source;
}

}  // namespace zenphal
