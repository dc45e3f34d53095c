#include "graphics/Bitmap32List.h"

TBitmap32Item::TBitmap32Item(TBitmap32Collection* Collection)
    : collection_(Collection), bitmap_(std::make_unique<TBitmap32>())
{
}

TBitmap32Item::~TBitmap32Item() = default;

void TBitmap32Item::Assign(const TPersistent* Source)
{
    if (auto* item = dynamic_cast<const TBitmap32Item*>(Source))
        return SetBitmap(item->Bitmap());
    TPersistent::Assign(Source);
}

TBitmap32Collection::TBitmap32Collection(TPersistent* Owner) : owner_(Owner) {}

TBitmap32Collection::~TBitmap32Collection() = default;

void TBitmap32Collection::Assign(const TPersistent* Source)
{
    auto* source = dynamic_cast<const TBitmap32Collection*>(Source);
    if (!source)
        return TPersistent::Assign(Source);
    if (source == this)
        return;
    items_.clear();
    for (const auto& item : source->items_)
        Add()->Assign(item.get());
}

TBitmap32Item* TBitmap32Collection::Add()
{
    items_.push_back(std::make_unique<TBitmap32Item>(this));
    return items_.back().get();
}

TBitmap32Item* TBitmap32Collection::Items(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::IndexOutOfBounds(Index);
    return items_[size_t(Index)].get();
}

void TBitmap32Collection::SetItems(int32_t Index, const TBitmap32Item* Value)
{
    Items(Index)->Assign(Value);
}

TBitmap32List::TBitmap32List(TPersistent* Owner)
    : owner_(Owner), bitmaps_(std::make_unique<TBitmap32Collection>(this))
{
}

TBitmap32List::~TBitmap32List() = default;

platform::Size TBitmap32List::ImageSize() const
{
    if (bitmaps_->Count() == 0)
        return {};
    const TBitmap32* first = Bitmap(0);
    return {first->Width(), first->Height()};
}

platform::ConstPixelView TBitmap32List::Image(int32_t Index) const
{
    if (Index < 0 || Index >= bitmaps_->Count())
        return {};
    const TBitmap32* bitmap = Bitmap(Index);
    return {bitmap->Bits(), bitmap->Width(), bitmap->Height(), bitmap->Width()};
}
