#include "page_block.h"

#include <sys/mman.h>

#include <algorithm>
#include <new>
#include <utility>

namespace tessaly {

namespace {
constexpr std::size_t kLargePage = std::size_t{2} << 20;
}

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
    void* p =
        data_ ? ::mremap(data_, size_, size, MREMAP_MAYMOVE)
              : ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    ::madvise(p, size, MADV_HUGEPAGE);  // only a wish: the block works without large pages
    data_ = static_cast<char*>(p);
    size_ = size;
}

}  // namespace tessaly
