#pragma once
// A list of bitmaps kept by a component, read by index.
#include "graphics/Bitmap32.h"
#include "platform/ImageList.h"
#include "platform/Persistent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TBitmap32Collection;
class TBitmap32List;

// An item listens to its own bitmap's OnChange, so that its list hears of every change.
class TBitmap32Item : public TPersistent {
public:
    explicit TBitmap32Item(TBitmap32Collection* Collection);
    ~TBitmap32Item() override;
    const char* ClassName() const override { return "TBitmap32Item"; }
    // Copies the source item's bitmap.
    void Assign(const TPersistent* Source) override;

    TBitmap32* Bitmap() const { return bitmap_.get(); }
    // Copies Value into the item's own bitmap.
    void SetBitmap(const TBitmap32* Value) { bitmap_->Assign(Value); }
    TBitmap32Collection* Collection() const { return collection_; }

private:
    TBitmap32Collection* collection_;
    std::unique_ptr<TBitmap32> bitmap_;
};

class TBitmap32Collection : public TPersistent {
public:
    // Owner is the object that names the collection (the list); it may be null.
    explicit TBitmap32Collection(TPersistent* Owner);
    ~TBitmap32Collection() override;
    const char* ClassName() const override { return "TBitmap32Collection"; }
    // From another collection: the same number of items, each bitmap copied.
    void Assign(const TPersistent* Source) override;

    TPersistent* GetOwner() const { return owner_; }
    TBitmap32Item* Add();
    void Clear();
    int32_t Count() const { return int32_t(items_.size()); }
    // Both raise EListError for an index outside the collection.
    TBitmap32Item* Items(int32_t Index) const;
    void SetItems(int32_t Index, const TBitmap32Item* Value);

private:
    friend class TBitmap32Item;
    friend class TBitmap32List;

    // An item came, went or changed its bitmap: reported once an Assign is through.
    void Changed();

    TPersistent* owner_;
    std::vector<std::unique_ptr<TBitmap32Item>> items_;
    std::function<void()> onChange_; // the list's
    bool assigning_ = false;
};

// A tie to a bitmap list: while tied, OnChange runs after each change of the list's
// bitmaps (one added, removed or assigned, or one's size or pixels changed), and once
// more when the list goes away, which leaves the link empty.
class TBitmap32ListLink {
public:
    explicit TBitmap32ListLink(std::function<void()> OnChange) : onChange_(std::move(OnChange)) {}
    ~TBitmap32ListLink() { SetList(nullptr); }
    TBitmap32ListLink(const TBitmap32ListLink&) = delete;
    TBitmap32ListLink& operator=(const TBitmap32ListLink&) = delete;

    TBitmap32List* List() const { return list_; }
    // Ties the link to Value (null: to none) without reporting.
    void SetList(TBitmap32List* Value);

private:
    friend class TBitmap32List;

    TBitmap32List* list_ = nullptr;
    std::function<void()> onChange_;
};

// As an image list its images are as large as its first bitmap.
class TBitmap32List : public TPersistent, public platform::ImageList {
public:
    explicit TBitmap32List(TPersistent* Owner = nullptr);
    ~TBitmap32List() override;
    const char* ClassName() const override { return "TBitmap32List"; }

    TBitmap32Collection* Bitmaps() const { return bitmaps_.get(); }
    // Copies the given collection's items; the list keeps its own collection.
    void SetBitmaps(const TBitmap32Collection* Value) { bitmaps_->Assign(Value); }
    // Both raise EListError for an index outside the list.
    TBitmap32* Bitmap(int32_t Index) const { return bitmaps_->Items(Index)->Bitmap(); }
    void SetBitmap(int32_t Index, const TBitmap32* Value) { bitmaps_->Items(Index)->SetBitmap(Value); }
    TPersistent* Owner() const { return owner_; }

    platform::Size ImageSize() const override;
    platform::ConstPixelView Image(int32_t Index) const override;

private:
    friend class TBitmap32ListLink;

    void Changed();

    TPersistent* owner_;
    std::unique_ptr<TBitmap32Collection> bitmaps_;
    std::vector<TBitmap32ListLink*> links_;
};
