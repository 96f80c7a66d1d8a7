#pragma once
// SIGINT, SIGTERM and SIGHUP end zenphal-cli cleanly: the first one asks the
// computation to stop (it throws Cancelled at its next safe point) and no
// output is touched; a second one ends the program at once, removing the
// temporaries of outputs not yet committed.
#include "engine/errors.h"

namespace zenphal::cli {

// Installs the handlers; call once, early in main.
void InstallInterruptHandlers();

// Set by the first interrupt; hand it to the computation.
const CancelFlag* InterruptFlag();

// Throws Cancelled when an interrupt has come.
void ThrowIfInterrupted();

// The exit status for an interrupted run: 128 + the signal's number (130
// for SIGINT, 143 for SIGTERM).
int InterruptedExitStatus();

}  // namespace zenphal::cli
