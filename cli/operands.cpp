#include "cli/operands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "engine/errors.h"
#include "formats/read_structure.h"
#include "text/examples.h"
#include "text/score_text.h"

namespace zenphal::cli {
namespace {

std::string ReadWholeFile(const std::string& path) {
  std::error_code ignored;
  // A directory opens as a stream that reads nothing; say what it is.
  if (std::filesystem::is_directory(path, ignored)) throw InputError(path + ": is a directory, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError(path + ": cannot open: " + std::strerror(errno));
  // Structures hold at most 32767 bases, so no real structure file comes near
  // this; the cap keeps endless sources such as /dev/zero from hanging us.
  constexpr size_t kMaxBytes = size_t{64} << 20;
  std::string content;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, static_cast<size_t>(in.gcount()));
    if (content.size() > kMaxBytes) throw InputError(path + ": larger than 64 MiB; not a structure file");
  }
  if (in.bad()) throw InputError(path + ": cannot read: " + std::strerror(errno));
  return content;
}

// "FILE#K" -> (FILE, K) unless a file is named so; K = 0 when not given.
std::pair<std::string, int> SplitStructureNumber(const std::string& operand) {
  const size_t hash = operand.rfind('#');
  if (hash == std::string::npos || hash == 0 || hash + 1 == operand.size()) return {operand, 0};
  const std::string number = operand.substr(hash + 1);
  if (number.find_first_not_of("0123456789") != std::string::npos) return {operand, 0};
  std::error_code ignored;
  if (std::filesystem::exists(operand, ignored)) return {operand, 0};
  if (number.size() > 5 || std::stoi(number) < 1) {
    throw InputError(operand + ": '#" + number + "' is not a structure number; structures are numbered from 1");
  }
  return {operand.substr(0, hash), std::stoi(number)};
}

}  // namespace

StructureSource LoadStructureOperand(const std::string& operand, StructureFormat format) {
  static const std::string kExamplePrefix = "example:";
  if (operand.rfind(kExamplePrefix, 0) == 0) {
    const std::string number = operand.substr(kExamplePrefix.size());
    const bool digits = !number.empty() && number.size() <= 2 &&
                        number.find_first_not_of("0123456789") == std::string::npos;
    const int row = digits ? std::stoi(number) : 0;
    if (row < 1 || row > kExampleCount) {
      throw InputError("unknown example '" + operand + "': use example:1 to example:" + std::to_string(kExampleCount) +
                       " (see 'zenphal-cli examples')");
    }
    const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
    return {operand, std::string(r.bases), std::string(r.stems), {}};
  }
  const auto [path, number] = SplitStructureNumber(operand);
  const std::string text = ReadWholeFile(path);
  StructureRead read;
  try {
    read = ReadStructureText(text, format, number);
  } catch (const InputError& e) {
    // A forced reader's message says which reader it was.
    const bool forced = format != StructureFormat::kAuto && format != StructureFormat::kLayout;
    const std::string as = forced ? std::string(StructureFormatTitle(format)) + ": " : "";
    throw InputError(operand + ": " + as + e.what());
  }
  StructureSource source{operand, std::move(read.bases), std::move(read.stems), {}};
  if (read.structureCount > 1 && number == 0) {
    source.notes.push_back(path + " holds " + std::to_string(read.structureCount) +
                           " structures; using the first (use " + path + "#K to pick another)");
  }
  for (const std::string& note : read.notes) source.notes.push_back(operand + ": " + note);
  return source;
}

void PrintNotes(const StructureSource& source) {
  for (const std::string& note : source.notes) std::cerr << "zenphal-cli: " << note << "\n";
}

CRnaStructure BuildStructure(const StructureSource& source) {
  if (source.bases.empty()) throw InputError(source.label + ": the structure has no bases");
  try {
    return CRnaStructure(source.bases, source.stems);
  } catch (const InputError& e) {
    throw InputError(source.label + ": " + e.what());
  }
}

float ReadScoreOption(const std::string& option, const std::string& text) {
  const auto value = ReadScoreField(text);
  if (!value) {
    throw InputError(option + ": '" + text +
                     "' is not a non-negative decimal number (digits with at most one '.', at most 9 digits "
                     "on either side)");
  }
  return *value;
}

std::pair<float, float> ReadScorePair(const std::string& option, const std::string& text) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
    throw InputError(option + ": '" + text + "' is not two numbers separated by a comma, such as 0,2");
  }
  return {ReadScoreOption(option, text.substr(0, comma)), ReadScoreOption(option, text.substr(comma + 1))};
}

StructurePair LoadStructurePair(const std::string& rna1, const std::string& rna2, const std::string& formatName) {
  const StructureFormat format = *StructureFormatFromName(formatName);
  const StructureSource source1 = LoadStructureOperand(rna1, format);
  const StructureSource source2 = LoadStructureOperand(rna2, format);
  PrintNotes(source1);
  PrintNotes(source2);
  return {BuildStructure(source1), BuildStructure(source2)};
}

}  // namespace zenphal::cli
