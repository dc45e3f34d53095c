#pragma once
// The singly linked list the project keeps its players and catalogue entries
// in. Each node owns a heap copy of its value. Misuse by index throws.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

template <typename T>
class CList {
public:
    // GetAt with an index at or past the count.
    class BadSize : public std::out_of_range {
    public:
        BadSize(uint32_t index, uint32_t count)
            : std::out_of_range("List index " + std::to_string(index) + " is out of range (the list holds " +
                                std::to_string(count) + " items)") {}
    };
    // RemoveAt with an index at or past the count.
    class NotExist : public std::out_of_range {
    public:
        NotExist(uint32_t index, uint32_t count)
            : std::out_of_range("Cannot remove list item " + std::to_string(index) + ": it does not exist (the list holds " +
                                std::to_string(count) + " items)") {}
    };

    template <typename U>
    struct CListItem {
        std::unique_ptr<U> value;
        CListItem* next = nullptr;
    };
    using Item = CListItem<T>;

    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() { RemoveAll(); }

    uint32_t GetCount() const { return count_; }

    void AddTail(T value)
    {
        Item* item = new Item{std::make_unique<T>(std::move(value)), nullptr};
        if (tail_)
            tail_->next = item;
        else
            head_ = item;
        tail_ = item;
        ++count_;
    }

    T& GetAt(uint32_t i) { return *Checked(i).value; }
    const T& GetAt(uint32_t i) const { return *Checked(i).value; }

    // Item i, or null when i is past the end.
    T* Lookup(uint32_t i) const
    {
        Item* item = FindItem(i);
        return item ? item->value.get() : nullptr;
    }

    // Index of the first item equal to `value`, -1 when there is none.
    int64_t Find(const T& value) const
    {
        int64_t index = 0;
        for (Item* item = head_; item; item = item->next, ++index)
            if (*item->value == value)
                return index;
        return -1;
    }

    void RemoveAt(uint32_t i)
    {
        if (i >= count_)
            throw NotExist(i, count_);
        if (i == count_ - 1) {
            RemoveTail();
            return;
        }
        Item* removed;
        if (i == 0) {
            removed = head_;
            head_ = removed->next;
        } else {
            Item* before = FindItem(i - 1);
            removed = before->next;
            before->next = removed->next;
        }
        delete removed;
        --count_;
    }

    // Does nothing on an empty list.
    void RemoveTail()
    {
        if (count_ == 0)
            return;
        Item* before = count_ >= 2 ? FindItem(count_ - 2) : nullptr;
        delete tail_;
        if (before) {
            before->next = nullptr;
            tail_ = before;
        } else {
            head_ = tail_ = nullptr;
        }
        --count_;
    }

    void RemoveAll()
    {
        while (Item* item = head_) {
            head_ = item->next;
            delete item;
        }
        tail_ = nullptr;
        count_ = 0;
    }

    void Swap(CList& other) noexcept
    {
        std::swap(head_, other.head_);
        std::swap(tail_, other.tail_);
        std::swap(count_, other.count_);
    }

    // Removes from the tail or appends copies of `fill` until the list holds `n` items.
    void Resize(uint32_t n, const T& fill = T())
    {
        while (count_ > n)
            RemoveTail();
        while (count_ < n)
            AddTail(fill);
    }

private:
    Item* FindItem(uint32_t i) const
    {
        if (i >= count_)
            return nullptr;
        Item* item = head_;
        while (i--)
            item = item->next;
        return item;
    }

    Item& Checked(uint32_t i) const
    {
        Item* item = FindItem(i);
        if (!item)
            throw BadSize(i, count_);
        return *item;
    }

    Item* head_ = nullptr;
    Item* tail_ = nullptr;
    uint32_t count_ = 0;
};
