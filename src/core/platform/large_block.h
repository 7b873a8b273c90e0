#pragma once

#include <cstddef>

namespace cardwise {

// Memory for bytes read in bulk and then kept, such as a deck's texts. From a few megabytes
// on it is mapped at a large-page boundary and asks for large pages: a page fault is costly
// (more so in a virtual machine), and one large page saves 512 of them.
class LargeBlock {
  public:
    LargeBlock() = default;
    explicit LargeBlock(std::size_t size);
    ~LargeBlock();
    LargeBlock(LargeBlock&& other) noexcept;
    LargeBlock& operator=(LargeBlock&& other) noexcept;
    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

  private:
    void release();
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;  // 0: from the heap
};

// Asks for large pages on the part of [data, data + size) that whole large pages cover.
void askForLargePages(void* data, std::size_t size);

}  // namespace cardwise
