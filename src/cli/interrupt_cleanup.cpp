#include "interrupt_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace tessaly::cli {

namespace {

// A handler may run at any moment on any thread, so it only ever reads a name that is never
// freed; the few names of one run are small.
std::atomic<const char*> pendingFile{nullptr};

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t Interrupts() {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signal : kInterrupts)
        ::sigaddset(&set, signal);
    return set;
}

void OnInterrupt(int signal) {
    if (const char* path = pendingFile.load()) ::unlink(path);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);
}

}  // namespace

void InstallInterruptCleanup() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_mask = Interrupts();
    for (const int signal : kInterrupts) {
        struct sigaction old {};
        // A signal the caller chose to ignore (nohup, a background job) stays ignored.
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
}

void RemoveOnInterrupt(const std::string& path) {
    pendingFile.store(path.empty() ? nullptr : ::strdup(path.c_str()));
}

InterruptsHeld::InterruptsHeld() {
    const sigset_t held = Interrupts();
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

InterruptsHeld::~InterruptsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace tessaly::cli
