#pragma once
// A list of bitmaps kept by a component, read by index.
#include "graphics/Bitmap32.h"
#include "platform/ImageList.h"
#include "platform/Persistent.h"

#include <cstdint>
#include <memory>
#include <vector>

class TBitmap32Collection;

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
    void Clear() { items_.clear(); }
    int32_t Count() const { return int32_t(items_.size()); }
    // Both raise EListError for an index outside the collection.
    TBitmap32Item* Items(int32_t Index) const;
    void SetItems(int32_t Index, const TBitmap32Item* Value);

private:
    TPersistent* owner_;
    std::vector<std::unique_ptr<TBitmap32Item>> items_;
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
    TPersistent* owner_;
    std::unique_ptr<TBitmap32Collection> bitmaps_;
};
