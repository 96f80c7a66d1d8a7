#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <iterator>

#include "cli/commands.h"
#include "cli/interrupts.h"
#include "cli/picture_output.h"
#include "computation/computation.h"
#include "computation/outputs.h"
#include "computation/run_agreement.h"
#include "output/file_writer.h"

namespace zenphal::cli {
namespace {

// A progress line on stderr, redrawn in place.
class TerminalProgress : public Progress {
 public:
  void Show() override { Draw(0, 0); }
  void SetPosition(int percent, int polygons) override { Draw(percent, polygons); }
  void End() override { std::fputs("\r\033[K", stderr); }

 private:
  static void Draw(int percent, int polygons) {
    std::fprintf(stderr, "\r\033[Kdecomposing: %3d%%, %d polygons found", percent, polygons);
    std::fflush(stderr);
  }
};

// Two outputs in one file would leave only the last, and an output over an
// input would destroy it: files are compared by identity, not by spelling.
void CheckOutputsApart(const DecomposeOptions& o, const std::vector<std::string>& inputs) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--report", &o.reportFile}, {"--json", &o.jsonFile}, {"--svg", &o.svgFile}, {"--png", &o.pngFile}};
  for (size_t i = 0; i < std::size(outputs); ++i) {
    if (outputs[i].second->empty()) continue;
    for (const std::string& input : inputs) {
      if (SameFile(*outputs[i].second, input)) {
        throw InputError(std::string(outputs[i].first) + " names " + *outputs[i].second +
                         ", which is an input of this command; writing it would destroy the input");
      }
    }
    for (size_t j = i + 1; j < std::size(outputs); ++j) {
      if (!outputs[j].second->empty() && SameFile(*outputs[i].second, *outputs[j].second)) {
        throw InputError(std::string(outputs[i].first) + " and " + outputs[j].first + " name the same file, " +
                         *outputs[i].second + "; give each output a file of its own");
      }
    }
  }
}

}  // namespace

std::string AgreementNote(const DecompositionAgreement& a) {
  const PairwiseReference& r = a.reference;
  std::string note = "zenphal-cli: agreement with the alignment of " + r.member1 + " and " + r.member2 + " in " +
                     r.family + (r.file.empty() ? "" : " (" + r.file + ")") + ": ";
  const AgreementSummary& s = a.summary;
  if (!s.bestAgreement) return note + "not defined (neither the reference nor any optimal alignment aligns a base "
                                      "with a base)";
  char text[160];
  std::snprintf(text, sizeof text, "best %.4f (polygon %d)", *s.bestAgreement, s.best + 1);
  note += text;
  if (s.nearBestShare) {
    std::snprintf(text, sizeof text, "; the optimal alignment reaches 90%% of it on %.1f%% of the rectangle",
                  100.0 * *s.nearBestShare);
    note += text;
  }
  return note;
}

int RunDecompose(const DecomposeOptions& o) {
  InputOptions inputOptions = o.input;
  ScoreTexts& scores = inputOptions.scores;
  std::tie(scores.mismatchFrom, scores.mismatchTo) = SplitPair(InputField::kMismatchFrom, o.mismatch);
  std::tie(scores.gapFrom, scores.gapTo) = SplitPair(InputField::kGapFrom, o.gap);
  ComputationInput checkedScores;
  ReadScores(scores, checkedScores);  // before anything else, as the options come
  for (const auto& [given, option] : {std::pair{o.labels, "--label: the labels go"},
                                      std::pair{o.colourRegions, "--colour-regions: the colours go"},
                                      std::pair{o.axisValues, "--axis-values: the values go"},
                                      std::pair{o.colourByAgreement, "--colour-by-agreement: the colours go"}}) {
    if (given && o.svgFile.empty() && o.pngFile.empty()) {
      throw InputError(std::string(option) + " on a picture; give --svg FILE or --png FILE as well");
    }
  }
  std::vector<std::string> inputs;
  Computation computation(ReadInput(inputOptions, &inputs));
  if (o.colourByAgreement && !computation.Input().reference) {
    throw InputError("--colour-by-agreement: " + o.input.rna1 + " and " + o.input.rna2 +
                     " have no reference alignment (they are not members of one Stockholm alignment); name a "
                     "Stockholm file that holds both with --reference FILE.sto");
  }
  CheckOutputsApart(o, inputs);
  computation.SetCancelFlag(InterruptFlag());
  // Every output file before the work, so that a path that cannot be
  // written is reported at once.
  for (const std::string* file : {&o.jsonFile, &o.svgFile, &o.pngFile, &o.reportFile}) {
    if (!file->empty()) CheckCanWrite(*file);
  }

  Computation::RunOptions run;
  if (!o.quiet && isatty(STDERR_FILENO)) run.progress = [] { return std::make_unique<TerminalProgress>(); };
  computation.Run(run);
  if (computation.Decomposition().Incomplete()) {
    std::cerr << "zenphal-cli: warning: " << computation.Decomposition().IncompleteReason() << "\n";
  }

  ThrowIfInterrupted();
  const std::string report = AllAlignmentsText(computation);
  const std::optional<DecompositionAgreement> agreement = AgreementOfRun(computation);
  PictureOptions picture = PictureOptions::Labels(o.labels);
  picture.colours = o.colourRegions;
  picture.axisValues = o.axisValues;
  if (o.colourByAgreement) picture.agreement = AgreementValues(*agreement);
  OutputSet outputs;
  if (!o.jsonFile.empty()) outputs.Stage(o.jsonFile, DecompositionJsonText(computation, agreement ? &*agreement : nullptr));
  StageDecompositionPictures(outputs, computation.Decomposition(), o.svgFile, o.pngFile, picture);
  if (!o.reportFile.empty()) outputs.Stage(o.reportFile, report);
  ThrowIfInterrupted();  // nothing has been replaced yet
  outputs.Commit();      // interrupts wait until every file is in place
  if (InterruptFlag()->load()) return InterruptedExitStatus();
  if (o.reportFile.empty()) WriteStdout(report);
  if (agreement && !o.quiet) std::cerr << AgreementNote(*agreement) << "\n";
  return 0;
}

}  // namespace zenphal::cli
