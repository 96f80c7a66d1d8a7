#include "cli/json_output.h"

#include <charconv>
#include <cstdlib>

namespace zenphal::cli {

double JsonFloat(float value) {
  // The shortest text of the float, read as a double, prints as that same
  // short text and reads back (as a float) to the same float.
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
  *result.ptr = '\0';
  return std::strtod(buffer, nullptr);
}

nlohmann::ordered_json CountsJson(const CAlignment& r) {
  return {{"match", r.matchCount},         {"mismatch", r.mismatchCount},
          {"indel", r.indelCount},         {"gap", r.gapCount},
          {"pair_match", r.pairMatchCount}, {"pair_mismatch", r.pairMismatchCount},
          {"pair_indel", r.pairIndelCount}};
}

}  // namespace zenphal::cli
