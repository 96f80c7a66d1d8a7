// zenphal-cli: parametric alignment of two RNA secondary structures from the
// command line. Exit status: 0 success; 2 bad usage or input, or an output
// that cannot be written; 130/143 interrupted (SIGINT/SIGTERM): no output
// touched, or, for an interrupt while the files were being replaced, all of
// them in place; 1 internal error.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

#include "cli/commands.h"
#include "cli/interrupts.h"
#include "computation/input.h"
#include "engine/errors.h"
#include "formats/input_file.h"
#include "output/file_writer.h"

namespace {

// Help and version go to stdout; a write that fails (a full disk, a closed
// pipe) must not pass for success.
int ExitAfterPrinting(int status) {
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::cerr << "zenphal-cli: standard output: cannot write: " << std::strerror(errno) << "\n";
    return 2;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zenphal::cli;
  InstallInterruptHandlers();
  CLI::App app{"Zenphal: parametric alignment of two RNA secondary structures.\n"
               "Structures are given as example:N (a row of 'zenphal-cli examples') or as a file in the\n"
               "input dialog's structure text layout, dot-bracket, CT, BPSEQ or Stockholm (see --format).",
               "zenphal-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "zenphal-cli 1.0");

  Commands commands;
  commands.Register(app);

  const auto isCommand = [&app](const char* name) {
    for (const CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
      if (sub->check_name(name)) return true;
    }
    return false;
  };
  if (argc > 1 && argv[1][0] != '-' && !isCommand(argv[1])) {
    std::cerr << "zenphal-cli: unknown command '" << argv[1] << "' (commands: examples, align, decompose, batch)\n"
              << "Run 'zenphal-cli --help' for usage.\n";
    return 2;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return ExitAfterPrinting(app.exit(e));
  } catch (const CLI::CallForAllHelp& e) {
    return ExitAfterPrinting(app.exit(e));
  } catch (const CLI::CallForVersion& e) {
    return ExitAfterPrinting(app.exit(e));
  } catch (const CLI::ParseError& e) {
    std::cerr << "zenphal-cli: " << e.what() << "\n"
              << "Run 'zenphal-cli --help' for usage.\n";
    return 2;
  }

  try {
    return commands.Run();
  } catch (const zenphal::Cancelled&) {
    std::cerr << "zenphal-cli: interrupted; no output was written\n";
    return InterruptedExitStatus();
  } catch (const std::exception& e) {
    // What the user can correct: bad input, a file that cannot be read or
    // written. Anything else is a bug of ours.
    const bool user = dynamic_cast<const zenphal::InputError*>(&e) != nullptr ||
                      dynamic_cast<const zenphal::FileReadError*>(&e) != nullptr ||
                      dynamic_cast<const zenphal::WriteError*>(&e) != nullptr;
    std::cerr << "zenphal-cli: " << (user ? "" : "internal error: ");
    const auto* field = dynamic_cast<const zenphal::FieldError*>(&e);
    if (field != nullptr && !(field->text.empty() && field->problem.empty())) {
      // A score option is named as the user wrote it.
      std::cerr << OptionOf(field->field) << ": '" << field->text << "' " << field->problem << "\n";
    } else {
      std::cerr << e.what() << "\n";
    }
    return user ? 2 : 1;
  }
}
