#pragma once
// An interrupted extraction (SIGINT, SIGTERM, SIGHUP) leaves no temporary file behind: the
// handler removes the one being written, then ends the program with the signal, so the caller
// sees the status it expects.

#include <string>

namespace tessaly::cli {

// Installs the handlers; once is enough.
void InstallInterruptCleanup();

// The file an interruption removes from now on; empty: none.
void RemoveOnInterrupt(const std::string& path);

}  // namespace tessaly::cli
