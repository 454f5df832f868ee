#include "mapped_window.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace tessaly {

namespace {

// The windows mapped now, in every thread: the bus error handler looks a faulting address up
// here. A window whose file loses bytes may be read by any thread, so the table is the
// process's; when it is full, a file is read instead of mapped.
struct WindowSlot {
    std::atomic<bool> taken{false};
    std::atomic<const char*> from{nullptr};
    std::atomic<std::size_t> size{0};
    std::atomic<bool> lost{false};
};
constexpr std::size_t kSlots = 256;
WindowSlot gSlots[kSlots];

std::size_t gPageSize = 0;
struct sigaction gPrevious {};

// A bus error in a mapped window: the page is gone (the file became shorter, or its disk failed).
// That page and the rest of the window are replaced by zeros, the window is marked lost, and the
// read that faulted runs again on the zeros. A bus error anywhere else is handled as it would have
// been without this handler.
void OnBusError(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (WindowSlot& slot : gSlots) {
        const auto from =
            reinterpret_cast<std::uintptr_t>(slot.from.load(std::memory_order_acquire));
        if (info->si_code <= 0 || from == 0 || at < from || at - from >= slot.size.load()) continue;
        const std::uintptr_t page = at & ~std::uintptr_t(gPageSize - 1);
        const std::uintptr_t end = from + slot.size.load();
        if (::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            slot.lost.store(true);
            errno = savedErrno;
            return;
        }
    }
    errno = savedErrno;
    if ((gPrevious.sa_flags & SA_SIGINFO) != 0)
        return gPrevious.sa_sigaction(signal, info, context);
    if (gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN) {
        return gPrevious.sa_handler(signal);
    }
    // The default action: a faulting read faults again as the handler returns; a bus error sent
    // by another process is sent again.
    ::sigaction(SIGBUS, &gPrevious, nullptr);
    if (info->si_code <= 0) ::raise(signal);
}

bool GuardMappedWindows() {
    gPageSize = MappedWindow::PageSize();
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    return gPageSize > 0 && ::sigaction(SIGBUS, &action, &gPrevious) == 0;
}

}  // namespace

std::size_t MappedWindow::PageSize() {
    static const std::size_t size = std::size_t(::sysconf(_SC_PAGESIZE));
    return size;
}

MappedWindow::MappedWindow(const FileSource& file, std::uint64_t offset, std::size_t size) {
    static const bool guarded = GuardMappedWindows();
    if (!guarded || offset >= file.size()) return;
    size = std::size_t(std::min<std::uint64_t>(size, file.size() - offset));
    for (slot_ = 0; slot_ < kSlots && gSlots[slot_].taken.exchange(true); ++slot_) {
    }
    if (slot_ == kSlots) return;
    // Not populated up front: the pages touched are mapped a stretch at a time as the scan
    // reaches them, which costs less than having each looked up one by one beforehand.
    void* bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.descriptor(),
                         static_cast<off_t>(offset));
    if (bytes == MAP_FAILED) {
        gSlots[slot_].taken.store(false);
        return;
    }
    data_ = static_cast<const char*>(bytes);
    size_ = size;
    WindowSlot& slot = gSlots[slot_];
    slot.lost.store(false);
    slot.size.store(size);
    slot.from.store(data_, std::memory_order_release);
}

MappedWindow::~MappedWindow() {
    if (!data_) return;
    WindowSlot& slot = gSlots[slot_];
    slot.from.store(nullptr);
    ::munmap(const_cast<char*>(data_), size_);
    slot.taken.store(false);
}

bool MappedWindow::lost() const {
    return data_ && gSlots[slot_].lost.load();
}

FileReadError MappedWindow::lostFailure(const FileSource& file) const {
    struct stat st {};
    if (::fstat(file.descriptor(), &st) == 0 && std::uint64_t(st.st_size) < file.size()) {
        return file.failure("it became shorter while it was read");
    }
    return file.failure(std::strerror(EIO));
}

}  // namespace tessaly
