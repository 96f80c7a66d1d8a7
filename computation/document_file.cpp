#include "computation/document_file.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "engine/errors.h"
#include "formats/score_text.h"
#include "output/json.h"

namespace zenphal {
namespace {

constexpr const char* kFormat = "ZENPH document";
constexpr int kVersion = 1;

const nlohmann::json& Field(const nlohmann::json& object, const char* name) {
  const auto it = object.find(name);
  if (it == object.end()) throw InputError(std::string("the field \"") + name + "\" is missing");
  return *it;
}

std::string StringField(const nlohmann::json& object, const char* name) {
  const nlohmann::json& v = Field(object, name);
  if (!v.is_string()) throw InputError(std::string("the field \"") + name + "\" is not a text");
  return v.get<std::string>();
}

float NumberValue(const nlohmann::json& v, const char* name) {
  if (!v.is_number()) throw InputError(std::string("the field \"") + name + "\" is not a number");
  const float value = static_cast<float>(v.get<double>());
  // The dialogs accept only non-negative decimal numbers; so does the file.
  if (!std::isfinite(value) || value < 0.0f) {
    throw InputError(std::string("the field \"") + name + "\" is not a score of 0 or more");
  }
  return value;
}

void ReadRange(const nlohmann::json& object, const char* name, float& from, float& to) {
  const nlohmann::json& v = Field(object, name);
  if (!v.is_array() || v.size() != 2) throw InputError(std::string("the field \"") + name + "\" is not two numbers");
  from = NumberValue(v[0], name);
  to = NumberValue(v[1], name);
}

void ReadStructure(const nlohmann::json& object, const char* name, std::string& bases, std::string& stems) {
  const nlohmann::json& v = Field(object, name);
  if (!v.is_object()) throw InputError(std::string("the field \"") + name + "\" is not an object");
  bases = StringField(v, "bases");
  stems = StringField(v, "stems");
}

PairwiseReference ReferenceFromJson(const nlohmann::json& v) {
  if (!v.is_object()) throw InputError("the field \"reference\" is not an object");
  PairwiseReference r;
  try {
    r.file = StringField(v, "file");
    r.family = StringField(v, "family");
    r.member1 = StringField(v, "member1");
    r.member2 = StringField(v, "member2");
    r.top = StringField(v, "top");
    r.bottom = StringField(v, "bottom");
  } catch (const InputError& e) {
    throw InputError(std::string("in the field \"reference\": ") + e.what());
  }
  return r;
}

}  // namespace

std::string DocumentToJson(const ComputationInput& in) {
  nlohmann::ordered_json out;
  out["format"] = kFormat;
  out["version"] = kVersion;
  out["rna1"] = {{"bases", in.bases1}, {"stems", in.stems1}};
  out["rna2"] = {{"bases", in.bases2}, {"stems", in.stems2}};
  out["match"] = ShortestDecimalOf(in.match);
  out["indel"] = ShortestDecimalOf(in.indel);
  out["mismatch_range"] = {ShortestDecimalOf(in.mismatchFrom), ShortestDecimalOf(in.mismatchTo)};
  out["gap_range"] = {ShortestDecimalOf(in.gapFrom), ShortestDecimalOf(in.gapTo)};
  if (in.reference) out["reference"] = PairwiseReferenceJson(*in.reference);
  return out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

ComputationInput DocumentFromJson(std::string_view text) {
  const nlohmann::json doc = nlohmann::json::parse(text, nullptr, false);
  if (doc.is_discarded()) throw InputError("it is not a JSON text");
  if (!doc.is_object() || !doc.contains("format") || doc["format"] != kFormat) {
    throw InputError("it does not say it is a ZENPH document");
  }
  const nlohmann::json& version = Field(doc, "version");
  // Compared as a 64-bit number: 4294967297 is not version 1.
  if (!version.is_number_integer() || version.get<int64_t>() != kVersion) {
    throw InputError("it is of a version this program does not know");
  }
  ComputationInput in;
  ReadStructure(doc, "rna1", in.bases1, in.stems1);
  ReadStructure(doc, "rna2", in.bases2, in.stems2);
  in.match = NumberValue(Field(doc, "match"), "match");
  in.indel = NumberValue(Field(doc, "indel"), "indel");
  ReadRange(doc, "mismatch_range", in.mismatchFrom, in.mismatchTo);
  ReadRange(doc, "gap_range", in.gapFrom, in.gapTo);
  if (const auto it = doc.find("reference"); it != doc.end()) {
    in.reference = ReferenceFromJson(*it);
    try {
      CheckReference(in);
    } catch (const InputError& e) {
      throw InputError(std::string("the field \"reference\" does not fit its structures: ") + e.what());
    }
  }
  return in;
}

}  // namespace zenphal
