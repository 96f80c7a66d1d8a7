#pragma once
// JSON pieces shared by the commands.
#include <nlohmann/json.hpp>

#include "engine/alignment.h"

namespace zenphal::cli {

// {"match", "mismatch", "indel", "gap", "pair_match", "pair_mismatch", "pair_indel"}
nlohmann::ordered_json CountsJson(const CAlignment& record);

}  // namespace zenphal::cli
