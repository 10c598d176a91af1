#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

namespace catalogue {

// Bytes on the heap that grow without being filled in advance and, where the
// allocator can, in place: a large block is remapped rather than copied, so
// growing it never holds the old and the new block at once, and only the
// bytes written take memory.
class ByteBlock {
public:
    ByteBlock() = default;
    ByteBlock(ByteBlock&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    ByteBlock& operator=(ByteBlock&& other) noexcept {
        if (this != &other) {
            std::free(data_);
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;
    ~ByteBlock() { std::free(data_); }

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    // Keeps the first bytes up to the new size; bytes added are unspecified.
    void resize(std::size_t bytes) {
        if (bytes == size_)
            return;
        if (bytes == 0) {
            std::free(std::exchange(data_, nullptr));
            size_ = 0;
            return;
        }
        void* grown = std::realloc(data_, bytes);
        if (!grown)
            throw std::bad_alloc();
        data_ = static_cast<char*>(grown);
        size_ = bytes;
    }
    bool contains(const char* p) const { return data_ && p >= data_ && p < data_ + size_; }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace catalogue
