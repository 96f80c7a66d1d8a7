#include "cli/operands.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/errors.h"
#include "text/examples.h"
#include "text/score_text.h"
#include "text/structure_text.h"

namespace zenphal::cli {
namespace {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError(path + ": cannot open: " + std::strerror(errno));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw InputError(path + ": cannot read: " + std::strerror(errno));
  return content.str();
}

}  // namespace

StructureSource LoadStructureOperand(const std::string& operand) {
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
    return {operand, std::string(r.bases), std::string(r.stems)};
  }
  const std::string text = ReadWholeFile(operand);
  std::string why;
  const auto split = SplitStructureText(text, &why);
  if (!split) throw InputError(operand + ": not a structure text: " + why);
  return {operand, split->bases, split->stems};
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

}  // namespace zenphal::cli
