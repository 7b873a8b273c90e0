#include "core/platform/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace cardwise {
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

}  // namespace

void askForLargePages(void* data, std::size_t size) {
    if (size < 2 * kLargePage) return;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (begin + size) & ~(kLargePage - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

LargeBlock::LargeBlock(std::size_t size) : size_(size) {
    if (size < 2 * kLargePage) {
        data_ = size == 0 ? nullptr : static_cast<char*>(::operator new(size));
        return;
    }
    // Map one large page more than asked and give back what lies outside the aligned part.
    const std::size_t rounded = (size + kLargePage - 1) & ~(kLargePage - 1);
    void* mapped = ::mmap(nullptr, rounded + kLargePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto begin = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (begin + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > begin) ::munmap(mapped, aligned - begin);
    const std::uintptr_t tail = aligned + rounded;
    const std::uintptr_t end = begin + rounded + kLargePage;
    if (end > tail) ::munmap(reinterpret_cast<void*>(tail), end - tail);
    data_ = reinterpret_cast<char*>(aligned);
    mapped_ = rounded;
    ::madvise(data_, mapped_, MADV_HUGEPAGE);
}

LargeBlock::~LargeBlock() {
    release();
}

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

void LargeBlock::release() {
    if (mapped_ != 0) {
        ::munmap(data_, mapped_);
    } else {
        ::operator delete(data_);
    }
    data_ = nullptr;
    size_ = 0;
    mapped_ = 0;
}

}  // namespace cardwise
