#include "graphics/Bitmap32List.h"

#include <algorithm>

TBitmap32Item::TBitmap32Item(TBitmap32Collection* Collection)
    : collection_(Collection), bitmap_(std::make_unique<TBitmap32>())
{
    if (collection_)
        bitmap_->OnChange = [this](TObject*) { collection_->Changed(); };
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
    assigning_ = true;
    items_.clear();
    for (const auto& item : source->items_)
        Add()->Assign(item.get());
    assigning_ = false;
    Changed();
}

TBitmap32Item* TBitmap32Collection::Add()
{
    items_.push_back(std::make_unique<TBitmap32Item>(this));
    Changed();
    return items_.back().get();
}

void TBitmap32Collection::Clear()
{
    items_.clear();
    Changed();
}

void TBitmap32Collection::Changed()
{
    if (!assigning_ && onChange_)
        onChange_();
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
    bitmaps_->onChange_ = [this] { Changed(); };
}

TBitmap32List::~TBitmap32List()
{
    bitmaps_->onChange_ = nullptr;
    // Each link is emptied before it hears, so that its owner sees the list gone.
    while (!links_.empty()) {
        TBitmap32ListLink* link = links_.back();
        links_.pop_back();
        link->list_ = nullptr;
        if (link->onChange_)
            link->onChange_();
    }
}

void TBitmap32List::Changed()
{
    // A copy: a handler may tie or untie links.
    const std::vector<TBitmap32ListLink*> links = links_;
    for (TBitmap32ListLink* link : links)
        if (link->onChange_ && std::find(links_.begin(), links_.end(), link) != links_.end())
            link->onChange_();
}

void TBitmap32ListLink::SetList(TBitmap32List* Value)
{
    if (Value == list_)
        return;
    if (list_)
        std::erase(list_->links_, this);
    list_ = Value;
    if (list_)
        list_->links_.push_back(this);
}

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
