#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "engine/errors.h"

namespace zenphal::cli {

namespace {

const char* const kFormatHelp =
    "Read both structure files as FORMAT: auto (tell from the content), layout (the input dialog's "
    "structure text), dot-bracket ([>name], sequence, structure such as ((..)).. with [] {} <> for "
    "crossing pairs, optional energy), ct (header with the base count, then index base previous next "
    "partner natural), bpseq (position base partner, from 1)";

void AddFormatOption(CLI::App* command, std::string& format) {
  command->add_option("--format", format, kFormatHelp)
      ->check(CLI::IsMember({"auto", "layout", "dot-bracket", "ct", "bpseq"}))
      ->capture_default_str();
}

}  // namespace

void Commands::Register(CLI::App& app) {
  const std::string rnaHelp =
      "example:N (1 to 6) or a structure file: the input dialog's layout, dot-bracket, CT or BPSEQ; FILE#K "
      "picks the K-th structure of a file holding several";

  examples_ = app.add_subcommand("examples", "List the built-in example structures (number, name, length, stems)");

  align_ = app.add_subcommand("align", "Print the optimal alignment at one point (mismatch score, gap score)");
  align_->add_option("RNA1", align_options_.rna1, "First structure: " + rnaHelp)->required();
  align_->add_option("RNA2", align_options_.rna2, "Second structure: " + rnaHelp)->required();
  align_->add_option("--match", align_options_.match, "Match score")->capture_default_str();
  align_->add_option("--indel", align_options_.indel, "Indel score")->capture_default_str();
  align_->add_option("--at", align_options_.at, "The point X,Y: mismatch score X, gap score Y")->required();
  align_->add_flag("--json", align_options_.json, "Print one JSON object instead of the report");
  AddFormatOption(align_, align_options_.format);

  decompose_ = app.add_subcommand("decompose",
                                  "Divide the score rectangle into polygons of optimality and print every optimal "
                                  "alignment");
  auto& d = decompose_options_;
  decompose_->add_option("RNA1", d.rna1, "First structure: " + rnaHelp)->required();
  decompose_->add_option("RNA2", d.rna2, "Second structure: " + rnaHelp)->required();
  decompose_->add_option("--match", d.match, "Match score")->capture_default_str();
  decompose_->add_option("--indel", d.indel, "Indel score")->capture_default_str();
  decompose_->add_option("--mismatch", d.mismatch, "Mismatch score range FROM,TO")->capture_default_str();
  decompose_->add_option("--gap", d.gap, "Gap score range FROM,TO")->capture_default_str();
  decompose_->add_option("--report", d.reportFile, "Write the report to FILE instead of stdout");
  decompose_->add_option("--json", d.jsonFile, "Also write the decomposition as JSON to FILE");
  decompose_->add_option("--svg", d.svgFile, "Also write the decomposition picture, as the desktop view shows it, "
                                            "as SVG to FILE");
  decompose_->add_option("--png", d.pngFile, "Also write the decomposition picture as PNG to FILE");
  decompose_->add_flag("--label", d.labels,
                       "Number the polygons in the picture (as in the report) and write the range values at the "
                       "rectangle's corners");
  decompose_->add_flag("--quiet,-q", d.quiet, "No progress line on stderr");
  AddFormatOption(decompose_, d.format);
}

int Commands::Run() {
  if (examples_->parsed()) return RunExamples();
  if (align_->parsed()) return RunAlign(align_options_);
  if (decompose_->parsed()) return RunDecompose(decompose_options_);
  throw std::logic_error("no subcommand parsed");
}

void WriteStdout(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    throw std::runtime_error(std::string("cannot write to standard output: ") + std::strerror(errno));
  }
}

std::ofstream CreateOutputFile(const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw InputError(path + ": cannot create: " + std::strerror(errno));
  return out;
}

void FinishOutputFile(std::ofstream& out, const std::string& path, const std::string& text) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw InputError(path + ": cannot write: " + std::strerror(errno));
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out = CreateOutputFile(path);
  FinishOutputFile(out, path, text);
}

}  // namespace zenphal::cli
