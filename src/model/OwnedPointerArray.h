#pragma once
// A growable array of owned objects, kept as pointers so that they never move
// while others point at them: the project's provinces and pieces.
#include <cassert>
#include <memory>
#include <utility>

#include "model/SimpleArray.h"

template <typename T>
class COwnedPointerArray {
public:
    COwnedPointerArray() = default;
    COwnedPointerArray(const COwnedPointerArray&) = delete;
    COwnedPointerArray& operator=(const COwnedPointerArray&) = delete;
    ~COwnedPointerArray() { DeleteAll(); }

    int GetSize() const { return items_.GetSize(); }
    // Null when `i` is out of range.
    T* GetAt(int i) const { return i >= 0 && i < items_.GetSize() ? items_[i] : nullptr; }
    // -1 for null or an object not in the array.
    int IndexOf(const T* item) const
    {
        if (item)
            for (int i = 0; i < items_.GetSize(); ++i)
                if (items_[i] == item)
                    return i;
        return -1;
    }
    // Appends and returns the index; -1 (the object is destroyed) when the array cannot grow.
    int Add(std::unique_ptr<T> item)
    {
        T* raw = item.get();
        const int index = items_.Append(&raw, 1);
        if (index >= 0)
            item.release();
        return index;
    }
    // Destroys object i and closes the gap.
    void RemoveAt(int i)
    {
        assert(i >= 0 && i < items_.GetSize());
        T* removed = items_[i];
        items_.RemoveAt(i);
        delete removed;
    }
    void Swap(COwnedPointerArray& other) noexcept { std::swap(items_, other.items_); }
    void DeleteAll()
    {
        // Emptied before the objects die, so nothing can reach a destroyed one through the array.
        VK::CSimpleArray<T*> dying(std::move(items_));
        for (int i = 0; i < dying.GetSize(); ++i)
            delete dying[i];
    }

private:
    VK::CSimpleArray<T*> items_;
};
