#pragma once
// The provinces the designer has selected, in selection order and without
// duplicates. All selected provinces share one owner. What the selection shows
// (highlighted pieces, selected list rows, the province inspector) is the
// business of the ISelectionView set on it.
#include "model/EditorHooks.h"
#include "model/SimpleArray.h"

class CProvince;

class CSelect {
public:
    CSelect() = default;
    CSelect(const CSelect&) = delete;
    CSelect& operator=(const CSelect&) = delete;

    // Nothing for null or an already selected province. A province whose owner
    // differs from the selection's is refused. Else it is appended.
    void Add(CProvince* province);
    // Nothing when the province is not selected.
    void Remove(CProvince* province);
    void Toggle(CProvince* province);
    // Deselects everything; the view rebuilds its inspector once, not per province.
    void Clear();
    // Shows the selection again after its provinces changed (owner, castle).
    void Refresh() { view_->SelectionChanged(); }

    bool Contains(const CProvince* province) const { return IndexOf(province) >= 0; }
    int Count() const { return provinces.GetSize(); }
    // Null when `i` is out of range.
    CProvince* GetAt(int i) const { return i >= 0 && i < Count() ? provinces[i] : nullptr; }

    void SetView(ISelectionView* view) { view_ = &HookOrDefault(view); }

    uint32_t busy = 0;          // 1 while the selection is being cleared
    uint32_t provincesTab = 0;  // 1 while the provinces tab is shown

private:
    int IndexOf(const CProvince* province) const;
    void Changed();

    VK::CSimpleArray<CProvince*> provinces;
    ISelectionView* view_ = &HookOrDefault<ISelectionView>(nullptr);
};
