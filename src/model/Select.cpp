#include "model/Select.h"

#include "model/Province.h"

int CSelect::IndexOf(const CProvince* province) const
{
    for (int i = 0; i < Count(); ++i)
        if (provinces[i] == province)
            return i;
    return -1;
}

void CSelect::Changed()
{
    if (!busy)
        view_->SelectionChanged();
}

void CSelect::Add(CProvince* province)
{
    if (!province || Contains(province))
        return;
    if (Count() > 0 && provinces[0]->owner != province->owner) {
        view_->ProvinceRefused(*province);
        return;
    }
    if (provinces.Append(&province, 1) < 0)
        return;
    view_->ProvinceSelected(*province);
    Changed();
}

void CSelect::Remove(CProvince* province)
{
    const int index = IndexOf(province);
    if (index < 0)
        return;
    provinces.RemoveAt(index);
    view_->ProvinceDeselected(*province);
    Changed();
}

void CSelect::Toggle(CProvince* province)
{
    if (Contains(province))
        Remove(province);
    else
        Add(province);
}

void CSelect::Clear()
{
    busy = 1;
    while (Count() > 0)
        Remove(provinces[Count() - 1]);
    busy = 0;
    view_->SelectionChanged();
}
