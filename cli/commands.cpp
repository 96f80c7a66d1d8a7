#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>

#include "engine/errors.h"
#include "formats/pairwise_reference.h"
#include "formats/read_structure.h"
#include "formats/structure_source.h"
#include "output/file_writer.h"

namespace zenphal::cli {

namespace {

const char* const kFormatHelp =
    "Read both structure files as FORMAT: auto (tell from the content), layout (the input dialog's "
    "structure text), dot-bracket ([>name], sequence, structure such as ((..)).. with [] {} <> for "
    "crossing pairs, optional energy), ct (header with the base count, then index base previous next "
    "partner natural), bpseq (position base partner, from 1), stockholm (an alignment with #=GC SS_cons or "
    "#=GR NAME SS lines)";

const char* const kRnaHelp =
    "example:N (1 to 6) or a structure file: the input dialog's layout, dot-bracket, CT, BPSEQ or Stockholm; "
    "FILE#K picks the K-th structure of a file holding several, FILE#NAME or FILE#FAMILY#NAME a sequence of a "
    "Stockholm file";

// An output option given an empty name ("--json ''", an unset shell
// variable) would otherwise read as not given at all.
const CLI::Validator kOutputFile(
    [](std::string& name) { return name.empty() ? std::string("an empty file name; give the file to write") : std::string(); },
    "FILE");

// The same for --reference, which names a file to read.
const CLI::Validator kReferenceFile(
    [](std::string& name) { return name.empty() ? std::string("an empty file name; give the Stockholm file") : std::string(); },
    "FILE.sto[#FAMILY]");

void AddInputOptions(CLI::App* command, InputOptions& o) {
  command->add_option("RNA1", o.rna1, std::string("First structure: ") + kRnaHelp)->required();
  command->add_option("RNA2", o.rna2, std::string("Second structure: ") + kRnaHelp)->required();
  command->add_option("--match", o.scores.match, "Match score")->capture_default_str();
  command->add_option("--indel", o.scores.indel, "Indel score")->capture_default_str();
}

void AddFormatOption(CLI::App* command, std::string& format) {
  command->add_option("--format", format, kFormatHelp)
      ->check(CLI::IsMember({"auto", "layout", "dot-bracket", "ct", "bpseq", "stockholm"}))
      ->capture_default_str();
}

}  // namespace

void Commands::Register(CLI::App& app) {
  examples_ = app.add_subcommand("examples", "List the built-in example structures (number, name, length, stems)");

  align_ = app.add_subcommand("align", "Print the optimal alignment at one point (mismatch score, gap score)");
  AddInputOptions(align_, alignOptions_.input);
  align_->add_option("--at", alignOptions_.at, "The point X,Y: mismatch score X, gap score Y")->required();
  align_->add_flag("--json", alignOptions_.json, "Print one JSON object instead of the report");
  AddFormatOption(align_, alignOptions_.input.format);

  decompose_ = app.add_subcommand("decompose",
                                  "Divide the score rectangle into polygons of optimality and print every optimal "
                                  "alignment");
  DecomposeOptions& d = decomposeOptions_;
  AddInputOptions(decompose_, d.input);
  d.mismatch = d.input.scores.mismatchFrom + "," + d.input.scores.mismatchTo;
  d.gap = d.input.scores.gapFrom + "," + d.input.scores.gapTo;
  decompose_->add_option("--mismatch", d.mismatch, "Mismatch score range FROM,TO")->capture_default_str();
  decompose_->add_option("--gap", d.gap, "Gap score range FROM,TO")->capture_default_str();
  decompose_->add_option("--report", d.reportFile, "Write the report to FILE instead of stdout")->check(kOutputFile);
  decompose_->add_option("--json", d.jsonFile, "Also write the decomposition as JSON to FILE")->check(kOutputFile);
  decompose_->add_option("--svg", d.svgFile, "Also write the decomposition picture, as the desktop view shows it, "
                                            "as SVG to FILE")->check(kOutputFile);
  decompose_->add_option("--png", d.pngFile, "Also write the decomposition picture as PNG to FILE")->check(kOutputFile);
  decompose_->add_flag("--label", d.labels,
                       "Number the polygons in the picture (as in the report) and write the range values at the "
                       "rectangle's corners");
  decompose_->add_flag("--colour-regions", d.colourRegions,
                       "Fill the picture's regions with colours that tell neighbours apart (colour-blind safe)");
  decompose_->add_flag("--axis-values", d.axisValues,
                       "Write the score ranges and round tick values along both axes of the picture");
  decompose_->add_flag("--colour-by-agreement", d.colourByAgreement,
                       "Fill the picture's regions by their agreement with the reference alignment (a sequential, "
                       "colour-blind safe scale with its legend); needs a reference");
  decompose_->add_option("--reference", d.input.reference,
                         "Compare every optimal alignment with the two structures' alignment in this Stockholm file "
                         "(FILE.sto, or FILE.sto#FAMILY): its members are found by name, else by their bases. "
                         "Without it, two members of one Stockholm alignment are compared with their alignment there")
      ->check(kReferenceFile);
  decompose_->add_flag("--quiet,-q", d.quiet, "No progress line, and no line on the agreement, on stderr");
  AddFormatOption(decompose_, d.input.format);
  batch_.Register(app);
}

int Commands::Run() {
  if (examples_->parsed()) return RunExamples();
  if (align_->parsed()) return RunAlign(alignOptions_);
  if (decompose_->parsed()) return RunDecompose(decomposeOptions_);
  if (batch_.Parsed()) return batch_.Run();
  throw std::logic_error("no subcommand parsed");
}

ComputationInput ReadInput(const InputOptions& o, std::vector<std::string>* inputFiles) {
  ComputationInput input;
  // The scores first: a mistyped option is reported before any file is read.
  ReadScores(o.scores, input);
  const StructureFormat format = *StructureFormatFromName(o.format);
  const StructureSource first = LoadStructureSource(o.rna1, format);
  const StructureSource second = LoadStructureSource(o.rna2, format);
  for (const StructureSource* source : {&first, &second}) {
    for (const std::string& note : source->notes) std::cerr << "zenphal-cli: " << note << "\n";
    if (inputFiles != nullptr && !source->path.empty()) inputFiles->push_back(source->path);
  }
  SetStructures(input, first, second);
  if (!o.reference.empty()) {
    try {
      input.reference = FindPairwiseReference(ReadReferenceFile(o.reference), first, second);
    } catch (const InputError& e) {
      throw InputError("--reference " + std::string(e.what()));
    }
    if (inputFiles != nullptr) inputFiles->push_back(SplitStructureOperand(o.reference).path);
  }
  return input;
}

std::pair<std::string, std::string> SplitPair(InputField first, const std::string& text) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
    throw FieldError(first, text, "is not two numbers separated by a comma, such as 0,2");
  }
  return {text.substr(0, comma), text.substr(comma + 1)};
}

std::string OptionOf(InputField field) {
  switch (field) {
    case InputField::kRna1: return "RNA1";
    case InputField::kRna2: return "RNA2";
    case InputField::kMatch: return "--match";
    case InputField::kIndel: return "--indel";
    case InputField::kMismatchFrom:
    case InputField::kMismatchTo: return "--mismatch";
    case InputField::kGapFrom:
    case InputField::kGapTo: return "--gap";
    case InputField::kPointMismatch:
    case InputField::kPointGap: return "--at";
  }
  return "input";
}

void WriteStdout(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    throw WriteError("standard output", "cannot write", std::strerror(errno));
  }
}

}  // namespace zenphal::cli
