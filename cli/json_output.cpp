#include "cli/json_output.h"

namespace zenphal::cli {

nlohmann::ordered_json CountsJson(const CAlignment& r) {
  return {{"match", r.matchCount},         {"mismatch", r.mismatchCount},
          {"indel", r.indelCount},         {"gap", r.gapCount},
          {"pair_match", r.pairMatchCount}, {"pair_mismatch", r.pairMismatchCount},
          {"pair_indel", r.pairIndelCount}};
}

}  // namespace zenphal::cli
