#pragma once
// Trees shown as screen pop-ups, for an owner that drops a tree down as a combo drops
// its list: the plain tree view and the path tree view. Each keeps its tree's own mouse
// and key handling and adds the pop-up's capture, hiding and key passing.
#include "components/rmPathTreeView.h"
#include "inspector/rmScreenPopup.h"

class TrmCustomScreenTreeView : public TrmScreenPopup<TrmCustomPathTreeView> {
public:
    const char* ClassName() const override { return "TrmCustomScreenTreeView"; }
};

class TrmCustomScreenPathTreeView : public TrmScreenPopup<TrmPathTreeView> {
public:
    const char* ClassName() const override { return "TrmCustomScreenPathTreeView"; }
};
