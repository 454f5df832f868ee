#pragma once
// PageBlock: memory taken straight from the system for tables that grow to hundreds of
// megabytes. It grows without a copy and without holding old and new at once (the system moves
// its pages), it is backed by large pages where the system offers them (far fewer faults for a
// big table), and it starts zeroed.

#include <cstddef>

namespace tessaly {

class PageBlock {
  public:
    PageBlock() = default;
    ~PageBlock();
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;
    PageBlock(PageBlock&& other) noexcept;
    PageBlock& operator=(PageBlock&& other) noexcept;

    // At least `bytes`, the first size() bytes kept, the rest zero; throws std::bad_alloc.
    void growTo(std::size_t bytes);

    char* data() const { return data_; }
    std::size_t size() const { return size_; }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace tessaly
