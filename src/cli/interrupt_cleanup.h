#pragma once
// An interrupted extraction (SIGINT, SIGTERM, SIGHUP) leaves no temporary file behind: the
// handler removes the one being written, then ends the program with the signal, so the caller
// sees the status it expects.

#include <signal.h>

#include <string>

namespace tessaly::cli {

// Installs the handlers; once is enough.
void InstallInterruptCleanup();

// The file an interruption removes from now on; empty: none.
void RemoveOnInterrupt(const std::string& path);

// Holds the interruptions back on this thread while it lives, so a file made meanwhile is
// registered before a signal can end the program; they arrive when it goes.
class InterruptsHeld {
  public:
    InterruptsHeld();
    ~InterruptsHeld();
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

  private:
    sigset_t previous_;
};

}  // namespace tessaly::cli
