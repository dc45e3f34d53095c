#pragma once
// The growable array the project's records are built from: a signed 16-bit
// element count, capacity kept when the array shrinks, and a growth step that
// adapts to the size unless one is fixed.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace VK {

template <typename T>
class CSimpleArray {
public:
    // The largest count the 16-bit size field can hold.
    static constexpr int kMaxSize = 0x7FFF;
    // Passed as the growth step to SetSize: keep the stored step.
    static constexpr uint16_t kKeepGrowBy = 0xFFFF;

    // `growBy` 0 selects the automatic step: count / 8, at least 4, at most 1024.
    explicit CSimpleArray(uint16_t growBy = 0) : growBy_(growBy) {}

    CSimpleArray(const CSimpleArray& other) : growBy_(other.growBy_) { Assign(other); }
    CSimpleArray(CSimpleArray&& other) noexcept { Swap(other); }
    CSimpleArray& operator=(const CSimpleArray& other)
    {
        if (this != &other)
            Assign(other);
        return *this;
    }
    CSimpleArray& operator=(CSimpleArray&& other) noexcept
    {
        if (this != &other) {
            SetSize(0);
            Swap(other);
        }
        return *this;
    }
    virtual ~CSimpleArray() { SetSize(0); }

    // Resizes to `newSize` elements; new elements are value-initialised (zero for
    // numbers, pointers and plain records) and dropped ones destroyed. A `growBy`
    // other than kKeepGrowBy replaces the stored step first. Returns 1 on success,
    // 0 when the size is outside 0..kMaxSize or memory runs out; the array is then unchanged.
    int SetSize(int newSize, uint16_t growBy = kKeepGrowBy)
    {
        if (newSize < 0 || newSize > kMaxSize)
            return 0;
        if (growBy != kKeepGrowBy)
            growBy_ = growBy;
        if (newSize == 0) {
            std::destroy_n(data_, count_);
            Allocator().deallocate(data_, size_t(capacity_));
            data_ = nullptr;
            count_ = capacity_ = 0;
            return 1;
        }
        if (newSize > capacity_)
            return Grow(newSize);
        if (newSize > count_)
            std::uninitialized_value_construct_n(data_ + count_, newSize - count_);
        else
            std::destroy_n(data_ + newSize, count_ - newSize);
        count_ = int16_t(newSize);
        return 1;
    }

    int GetSize() const { return count_; }
    int GetCapacity() const { return capacity_; }
    uint16_t GetGrowBy() const { return growBy_; }

    T& operator[](int i)
    {
        assert(i >= 0 && i < count_);
        return data_[i];
    }
    const T& operator[](int i) const
    {
        assert(i >= 0 && i < count_);
        return data_[i];
    }
    T* GetData() { return data_; }
    const T* GetData() const { return data_; }

    // Appends `n` elements copied from `items`; returns the index of the first
    // one, or -1 when the array cannot grow (it is then unchanged).
    int Append(const T* items, int n)
    {
        if (n < 0)
            return -1;
        const int first = count_;
        if (items >= data_ && items < data_ + count_) { // appending from itself survives the reallocation
            CSimpleArray copy;
            if (!copy.SetSize(n))
                return -1;
            std::copy_n(items, n, copy.data_);
            return Append(copy.data_, n);
        }
        if (!SetSize(first + n))
            return -1;
        std::copy_n(items, n, data_ + first);
        return first;
    }

    // Removes element `i`; later elements move down one place.
    void RemoveAt(int i)
    {
        assert(i >= 0 && i < count_);
        std::move(data_ + i + 1, data_ + count_, data_ + i);
        SetSize(count_ - 1);
    }

    // Makes this array an element-by-element copy of `other`; returns 0 when memory runs out.
    int Assign(const CSimpleArray& other)
    {
        if (this == &other)
            return 1;
        if (!SetSize(other.count_))
            return 0;
        std::copy_n(other.data_, other.count_, data_);
        return 1;
    }

    // True when both hold equal elements in the same order.
    bool operator==(const CSimpleArray& other) const
    {
        return count_ == other.count_ && std::equal(data_, data_ + count_, other.data_);
    }

private:
    using Allocator = std::allocator<T>;

    int Grow(int newSize)
    {
        int step = growBy_;
        if (step == 0)
            step = std::clamp(count_ / 8, 4, 1024);
        const int newCapacity = std::min(std::max(capacity_ + step, newSize), kMaxSize);
        T* block;
        try {
            block = Allocator().allocate(size_t(newCapacity));
        } catch (const std::bad_alloc&) {
            return 0;
        }
        std::uninitialized_move_n(data_, count_, block);
        std::destroy_n(data_, count_);
        Allocator().deallocate(data_, size_t(capacity_));
        std::uninitialized_value_construct_n(block + count_, newSize - count_);
        data_ = block;
        count_ = int16_t(newSize);
        capacity_ = int16_t(newCapacity);
        return 1;
    }

    void Swap(CSimpleArray& other) noexcept
    {
        std::swap(count_, other.count_);
        std::swap(capacity_, other.capacity_);
        std::swap(growBy_, other.growBy_);
        std::swap(data_, other.data_);
    }

    int16_t count_ = 0;
    int16_t capacity_ = 0;
    uint16_t growBy_ = 0;
    T* data_ = nullptr;
};

} // namespace VK

using CByteArray = VK::CSimpleArray<unsigned char>;
using CWordArray = VK::CSimpleArray<uint16_t>;
using CDwordArray = VK::CSimpleArray<uint32_t>;
