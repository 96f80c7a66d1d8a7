#include <string>

#include "cli/commands.h"
#include "formats/example_table.h"

namespace zenphal::cli {

int RunExamples() {
  std::string out;
  int row = 1;
  for (const ExampleRow& r : ExampleTable()) {
    out += std::to_string(row++) + "\t" + std::string(r.name) + "\t" + std::to_string(r.bases.size()) + "\t" +
           std::string(r.stems) + "\n";
  }
  WriteStdout(out);
  return 0;
}

}  // namespace zenphal::cli
