#include "cli/interrupts.h"

#include <signal.h>

#include <atomic>

#include "output/file_writer.h"

namespace zenphal::cli {
namespace {

CancelFlag interrupted{false};
std::atomic<int> signalNumber{SIGINT};

extern "C" void OnInterrupt(int signal) {
  if (interrupted.exchange(true)) {
    // Asked twice: leave now, but leave no temporary behind.
    RemoveStagedFilesOnSignal();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return;
  }
  signalNumber.store(signal);
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action {};
  action.sa_handler = &OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &action, nullptr);
  // Past a file size limit a write then fails with EFBIG, which the writer
  // reports, instead of the signal ending the program mid-write.
  ::signal(SIGXFSZ, SIG_IGN);
}

const CancelFlag* InterruptFlag() { return &interrupted; }

void ThrowIfInterrupted() { ThrowIfCancelled(&interrupted); }

int InterruptedExitStatus() { return 128 + signalNumber.load(); }

}  // namespace zenphal::cli
