#include "page_block.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace tessaly {

namespace {
constexpr std::size_t kLargePage = std::size_t{2} << 20;
#if defined(__SANITIZE_THREAD__)
// ThreadSanitizer does not follow pages the system moves: another thread's block moved later to
// where this one stood would look like the same memory written by two threads. Under it the
// block is copied instead.
constexpr bool kMovePages = false;
#else
constexpr bool kMovePages = true;
#endif
}  // namespace

PageBlock::~PageBlock() {
    if (data_) ::munmap(data_, size_);
}

PageBlock::PageBlock(PageBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

PageBlock& PageBlock::operator=(PageBlock&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
}

void PageBlock::growTo(std::size_t bytes) {
    if (bytes <= size_) return;
    // Whole large pages, at least twice the old size, so a block grown a value at a time is
    // moved only a few times.
    std::size_t size = std::max(bytes, size_ * 2);
    size = (size + kLargePage - 1) / kLargePage * kLargePage;
    void* p = data_ && kMovePages ? ::mremap(data_, size_, size, MREMAP_MAYMOVE)
                                  : ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    if (data_ && !kMovePages) {
        std::memcpy(p, data_, size_);
        ::munmap(data_, size_);
    }
    ::madvise(p, size, MADV_HUGEPAGE);  // only a wish: the block works without large pages
    data_ = static_cast<char*>(p);
    size_ = size;
}

}  // namespace tessaly
