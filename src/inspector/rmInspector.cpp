#include "inspector/rmInspector.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmInspectorEditors.h"
#include "inspector/rmLibraryRanges.h"
#include "platform/DateText.h"
#include "platform/TextRasterizer.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kSplitMargin = 15;
constexpr char kNewItemName[] = "New Item";
constexpr char kEmptyValue[] = "<Empty Value>";

bool IsNodeItem(const TrmCustomInspectorItem* Item)
{
    return dynamic_cast<const TrmNodeInspectorItem*>(Item) != nullptr;
}

// The default text a new row of the class starts with.
std::string DefaultValueOf(const TrmInspectorItemClass& ItemClass)
{
    if (&ItemClass == &TrmIntegerInspectorItem::Class)
        return "0";
    if (&ItemClass == &TrmDateInspectorItem::Class)
        return platform::DateToStr(platform::Today());
    if (&ItemClass == &TrmNodeInspectorItem::Class || &ItemClass == &TrmSafeIntegerInspectorItem::Class ||
        &ItemClass == &TrmBlankInspectorItem::Class)
        return {};
    return kEmptyValue;
}

} // namespace

TrmInspector::TrmInspector() : FSelectedItemBgColor(clWindow), FChildren(*this)
{
    FVScrollBar.SetVisible(false); // until there is something to scroll
    SetBounds(0, 0, 225, 200);
    SetColor(CanvasColorOf(clBtnFace));
    SetTabStop(true);
    FItems.SetSepChar('\1');
    FItems.OnDeletion = [this](TObject* Sender, TrmTreeNonViewNode* Node) { DoNodeDelete(Sender, Node); };
    FItems.OnNodeTextChanged = [this](TObject*, TrmTreeNonViewNode*) { RequestRepaint(); };
    FVScrollBar.OnScroll = [this](TrmScrollCode Code, int32_t Position) { VScroll(Code, Position); };
    FChildren.Add(FVScrollBar);
}

TrmInspector::~TrmInspector()
{
    HideHint();
    FItems.OnDeletion = nullptr;
    FItems.OnNodeTextChanged = nullptr;
    OnEditorExit = nullptr; // the editor loses the focus as it goes: nobody is told
    if (FEditor)
        FChildren.Remove(*FEditor);
    FChildren.Remove(FVScrollBar);
}

TrmTreeNonViewNode* TrmInspector::NextVisibleNode(const TrmTreeNonViewNode* Node)
{
    if (Node->Expanded() && Node->GetChildren())
        return Node->GetFirstChild();
    for (; Node; Node = Node->Parent())
        if (TrmTreeNonViewNode* sibling = Node->GetNextSibling())
            return sibling;
    return nullptr;
}

TrmCustomInspectorItem* TrmInspector::ItemOf(const TrmTreeNonViewNode* Node)
{
    return Node ? static_cast<TrmCustomInspectorItem*>(Node->Data()) : nullptr;
}

// ---- Properties

void TrmInspector::SetSelectedItemBgColor(TColor Value)
{
    FSelectedItemBgColor = Value;
    Invalidate();
}

int32_t TrmInspector::ItemHeight()
{
    if (FItemHeight == -1)
        FItemHeight = platform::CurrentTextRasterizer().TextExtent("Wg", Font()).Height + 7;
    return std::max(FItemHeight, 1);
}

void TrmInspector::SetItemHeight(int32_t Value)
{
    if (Value != -1 && Value <= 0)
        return;
    FItemHeightSet = Value;
    FItemHeight = Value;
    Invalidate();
}

void TrmInspector::SetShowFocusRect(bool Value)
{
    FShowFocusRect = Value;
    Invalidate();
}

void TrmInspector::SetShowVScrollBars(bool Value)
{
    FShowVScrollBars = Value;
    UpdateVScrollBar();
    Invalidate();
}

void TrmInspector::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    BorderChanged();
}

void TrmInspector::BorderChanged()
{
    // The client area and the scroll bar's place follow the border's width.
    UpdateVScrollBar();
    setSplit(FSplitWanted);
}

void TrmInspector::FontChanged()
{
    // A height taken from the old font follows the new one.
    if (FItemHeightSet == -1)
        FItemHeight = -1;
    Invalidate();
}

void TrmInspector::SetReadonly(bool Value)
{
    FReadonly = Value;
    if (FEditor)
        FEditor->SetVisible(!Value);
    if (Value) {
        FFocusEditor = false;
        FChildren.FocusChild(nullptr);
        SetFocus();
    }
    Invalidate();
}

void TrmInspector::SetToolTip(bool Value)
{
    FToolTip = Value;
    if (!Value)
        HideHint();
}

void TrmInspector::setSplit(int32_t Value)
{
    // A control narrower than two margins keeps the split at the left margin.
    FSplitWanted = std::max(Value, kSplitMargin);
    FSplitPos = SetInRange(Value, kSplitMargin, std::max(kSplitMargin, ClientWidth() - kSplitMargin));
    Invalidate();
}

// ---- Visible rows

int32_t TrmInspector::VisibleItemCount() const
{
    int32_t count = 0;
    for (const TrmTreeNonViewNode* node = FItems.Items().GetFirstNode(); node; node = NextVisibleNode(node))
        ++count;
    return count;
}

TrmTreeNonViewNode* TrmInspector::GetVisibleItem(int32_t Index) const
{
    if (Index < 0)
        return nullptr;
    TrmTreeNonViewNode* node = FItems.Items().GetFirstNode();
    for (; node && Index > 0; --Index)
        node = NextVisibleNode(node);
    return node;
}

int32_t TrmInspector::VisibileNodeIndex(const TrmTreeNonViewNode* Node) const
{
    if (!Node)
        return -1;
    int32_t index = 0;
    for (const TrmTreeNonViewNode* node = FItems.Items().GetFirstNode(); node; node = NextVisibleNode(node), ++index)
        if (node == Node)
            return index;
    return -1;
}

int32_t TrmInspector::VisibileItemIndex(const TrmCustomInspectorItem* Item) const
{
    if (!Item || Item->Inspector() != this)
        return -1;
    return VisibileNodeIndex(GetNodeByItem(Item));
}

bool TrmInspector::IsNodeVisible(const TrmTreeNonViewNode* Node) const
{
    if (!Node)
        return false;
    for (const TrmTreeNonViewNode* parent = Node->Parent(); parent; parent = parent->Parent())
        if (!parent->Expanded())
            return false;
    return true;
}

bool TrmInspector::IsItemVisible(const TrmCustomInspectorItem* Item) const
{
    return Item && Item->Inspector() == this && IsNodeVisible(GetNodeByItem(Item));
}

int32_t TrmInspector::VisibleLines()
{
    const int32_t height = ItemHeight(), client = ClientHeight();
    return client / height + (client % height != 0 ? 1 : 0);
}

int32_t TrmInspector::RowsInView()
{
    return std::max(std::min(VisibleLines(), VisibleItemCount() - FTopIndex), 0);
}

int32_t TrmInspector::VScrollSize()
{
    // An empty inspector has nothing to scroll, and needs no font measured to know it.
    const int32_t count = VisibleItemCount();
    return count == 0 ? 0 : std::max(count - VisibleLines() + 1, 0);
}

TrmInspector::RowCells TrmInspector::CellsOfRow(int32_t Row)
{
    const int32_t height = ItemHeight();
    const int32_t top = (Row - FTopIndex) * height;
    return {{0, top, FSplitPos - 2, top + height}, {FSplitPos + 1, top, ClientWidth(), top + height - 1}};
}

platform::Rect TrmInspector::ClientArea() const
{
    const int32_t border = BorderWidth();
    const int32_t right = Width() - border - (FVScrollBar.Visible() ? TrmScrollBar::kWidth : 0);
    return {border, border, std::max(border, right), std::max(border, Height() - border)};
}

void TrmInspector::PlaceScrollBar()
{
    const int32_t border = BorderWidth();
    FVScrollBar.SetBounds(Width() - border - TrmScrollBar::kWidth, border, TrmScrollBar::kWidth,
                          Height() - 2 * border);
}

// ---- Building the rows

std::string TrmInspector::NewRowPath(const TrmTreeNonViewNode* ParentNode) const
{
    const std::string base = FItems.NodePath(ParentNode) + FItems.SepChar() + kNewItemName;
    for (int32_t n = 1;; ++n) {
        std::string path = base + std::to_string(n);
        if (!FItems.FindPathNode(path))
            return path;
    }
}

bool TrmInspector::IsNameUsed(const std::string& Name) const
{
    return std::any_of(FOwnedItems.begin(), FOwnedItems.end(),
                       [&Name](const auto& item) { return item->Name() == Name; });
}

std::string TrmInspector::UniqueItemName(const TrmInspectorItemClass& ItemClass) const
{
    std::string_view prefix = ItemClass.Name;
    if (!prefix.empty() && prefix.front() == 'T')
        prefix.remove_prefix(1);
    for (int32_t n = 1;; ++n) {
        std::string name = std::string(prefix) + std::to_string(n);
        if (!IsNameUsed(name))
            return name;
    }
}

TrmCustomInspectorItem* TrmInspector::AddItem(TrmTreeNonViewNode* ParentNode, const TrmInspectorItemClass& ItemClass)
{
    TrmCustomInspectorItem* item = AddInspectorItem(NewRowPath(ParentNode), DefaultValueOf(ItemClass), ItemClass);
    item->SetName(UniqueItemName(ItemClass));
    UpdateText(item->Node()->Parent());
    return item;
}

TrmCustomInspectorItem* TrmInspector::AddItem(const std::string& ParentName, const TrmInspectorItemClass& ItemClass)
{
    TrmCustomInspectorItem* parent = GetItemByName(ParentName);
    return parent ? AddItem(parent->Node(), ItemClass) : nullptr;
}

TrmCustomInspectorItem* TrmInspector::AddInspectorItem(const std::string& Path, const std::string& Value,
                                                       const TrmInspectorItemClass& ItemClass)
{
    // The tree files a path that lacks the leading separator under the separator and the
    // path, so the test for a used path must look there too.
    const std::string fullPath = !Path.empty() && Path.front() == FItems.SepChar() ? Path : FItems.SepChar() + Path;
    if (Path.empty() || FItems.FindPathNode(fullPath))
        throw EAbort("The specified path item already exists");
    std::unique_ptr<TrmCustomInspectorItem> owned = ItemClass.Create();
    owned->SetInspector(this);
    owned->SetAsString(Value); // before the row exists, so that a refused value leaves no row behind
    TrmTreeNonViewNode* node = FItems.AddPathNode(nullptr, fullPath);
    TrmCustomInspectorItem* item = owned.get();
    FOwnedItems.push_back(std::move(owned));
    item->SetNode(node);
    node->SetData(item);
    Invalidate();
    return item;
}

TrmCustomInspectorItem* TrmInspector::FindInspectorItem(const std::string& Path) const
{
    return ItemOf(FItems.FindPathNode(Path));
}

TrmCustomInspectorItem* TrmInspector::GetItemByName(const std::string& Name) const
{
    for (const TrmTreeNonViewNode* node = FItems.Items().GetFirstNode(); node; node = node->GetNext())
        if (TrmCustomInspectorItem* item = ItemOf(node); item && item->Name() == Name)
            return item;
    return nullptr;
}

void TrmInspector::AssignItems(const TrmInspector& Source)
{
    if (&Source == this)
        return;
    SetItemIndex(-1);
    ClearItems();
    FItems.Items().Assign(&Source.FItems.Items());
    // The copy has the same rows in the same order: each takes a copy of its twin's item.
    const TrmTreeNonViewNode* from = Source.FItems.Items().GetFirstNode();
    TrmTreeNonViewNode* to = FItems.Items().GetFirstNode();
    for (; to && from; to = to->GetNext(), from = from->GetNext()) {
        to->SetExpanded(from->Expanded());
        if (const TrmCustomInspectorItem* item = ItemOf(from)) {
            std::unique_ptr<TrmCustomInspectorItem> copy = item->ItemClass().Create();
            copy->SetInspector(this);
            copy->Assign(item);
            copy->SetNode(to);
            to->SetData(copy.get());
            FOwnedItems.push_back(std::move(copy));
        }
    }
    Invalidate();
}

TrmTreeNonViewNode* TrmInspector::GetNodeByItem(const TrmCustomInspectorItem* Item) const
{
    for (TrmTreeNonViewNode* node = FItems.Items().GetFirstNode(); node; node = node->GetNext())
        if (node->Data() == Item)
            return node;
    return nullptr;
}

TrmCustomInspectorItem* TrmInspector::GetCurrentInspectorItem() const
{
    return ItemOf(FCurrentNode);
}

std::string TrmInspector::CurrentPath() const
{
    return FCurrentNode ? FItems.NodePath(FCurrentNode) : std::string();
}

void TrmInspector::SetCurrentPath(const std::string& Value)
{
    TrmTreeNonViewNode* node = FItems.FindPathNode(Value);
    if (!node)
        throw Exception("Unable to find Inspector Item");
    SetCurrentNode(node);
}

void TrmInspector::SetCurrentNode(TrmTreeNonViewNode* Node)
{
    if (FItems.NodePath(Node).empty())
        return;
    for (TrmTreeNonViewNode* parent = Node->Parent(); parent; parent = parent->Parent())
        parent->SetExpanded(true);
    // Selecting the row makes the node current when its item is editable.
    SetItemIndex(VisibileNodeIndex(Node));
}

// ---- Removing

void TrmInspector::ClearItems()
{
    FItems.Items().Clear(); // each deleted row drops the selection when it is selected
    FTopIndex = 0;
    Invalidate();
}

void TrmInspector::ClearNode(TrmTreeNonViewNode* Node)
{
    if (!Node)
        return;
    Node->DeleteChildren();
    Invalidate();
}

void TrmInspector::ClearNode(const std::string& Name)
{
    if (TrmCustomInspectorItem* item = GetItemByName(Name))
        ClearNode(item->Node());
}

void TrmInspector::RemoveNode(TrmTreeNonViewNode* Node)
{
    if (!Node)
        return;
    if (FSelectedNode && (FSelectedNode == Node || FSelectedNode->HasAsParent(Node)))
        SetItemIndex(-1);
    FItems.Items().Delete(Node);
    Invalidate();
}

void TrmInspector::RemoveItem(const std::string& Name)
{
    if (TrmCustomInspectorItem* item = GetItemByName(Name))
        RemoveNode(item->Node());
}

void TrmInspector::DeleteItem(const std::string& Path)
{
    TrmTreeNonViewNode* node = FItems.FindPathNode(Path);
    if (!node)
        return;
    FItems.Items().Delete(node);
    Invalidate();
}

void TrmInspector::DoNodeDelete(TObject* /*Sender*/, TrmTreeNonViewNode* Node)
{
    if (Node == FSelectedNode) {
        // The editor shows a value that is going away: it goes too, without committing.
        FSelectedNode = nullptr;
        FCurrentNode = nullptr;
        FreeEditor();
        if (OnItemIndexChanged)
            OnItemIndexChanged(this);
    }
    TrmCustomInspectorItem* item = ItemOf(Node);
    if (!item)
        return;
    Node->SetData(nullptr);
    std::erase_if(FOwnedItems, [item](const auto& owned) { return owned.get() == item; });
}

// ---- Reordering

void TrmInspector::MoveItem(const std::string& FromPath, const std::string& ToPath)
{
    if (TrmTreeNonViewNode* from = FItems.FindPathNode(FromPath))
        MoveItem(from, FItems.FindPathNode(ToPath));
}

void TrmInspector::MoveItem(TrmTreeNonViewNode* FromNode, TrmTreeNonViewNode* ToNode)
{
    TrmTreeNonViewNodes& roots = FItems.Items();
    const int32_t from = roots.GetIndex(FromNode);
    const int32_t to = roots.GetIndex(ToNode);
    if (from < 0 || from == to)
        return;
    // The root lands right after ToNode wherever it came from (at the front without one).
    roots.Move(from, to < 0 ? 0 : from < to ? to : to + 1);
    Invalidate();
}

void TrmInspector::MoveItem(int32_t FromIndex, int32_t ToIndex)
{
    const TrmTreeNonViewNodes& roots = FItems.Items();
    auto rootAt = [&roots](int32_t index) -> TrmTreeNonViewNode* {
        TrmTreeNonViewNode* node = roots.GetFirstNode();
        for (; node && index > 0; --index)
            node = node->GetNextSibling();
        return index == 0 ? node : nullptr;
    };
    if (FromIndex >= 0 && ToIndex >= 0)
        MoveItem(rootAt(FromIndex), rootAt(ToIndex));
}

void TrmInspector::MoveItem(TrmTreeNonViewNode* ParentNode, TrmTreeNonViewNode* A, TrmTreeNonViewNode* B)
{
    if (!ParentNode)
        return;
    ParentNode->MoveItem(A, B);
    Invalidate();
}

// ---- Summaries

namespace {

// The summary of a node row with children, from one level of them.
std::string SummaryOf(const TrmTreeNonViewNode& Node)
{
    std::string text;
    for (const TrmTreeNonViewNode* child = Node.GetFirstChild(); child; child = child->GetNextSibling()) {
        const auto* item = static_cast<const TrmCustomInspectorItem*>(child->Data());
        if (!IsNodeItem(item) && child->GetChildren())
            return "(...)";
        if (item)
            text += IsNodeItem(item) ? ", (...)" : ", " + item->AsString();
    }
    return "(" + (text.size() >= 2 ? text.substr(2) : std::string()) + ")";
}

} // namespace

void TrmInspector::UpdateText(TrmTreeNonViewNode* Node)
{
    for (; Node; Node = Node->Parent()) {
        auto* item = dynamic_cast<TrmNodeInspectorItem*>(ItemOf(Node));
        if (!item)
            return;
        if (Node->GetChildren())
            item->SetSummary(SummaryOf(*Node));
    }
}

void TrmInspector::Invalidate()
{
    // Children before their parents, so that every summary is built from up-to-date rows.
    std::vector<TrmTreeNonViewNode*> nodes;
    for (TrmTreeNonViewNode* node = FItems.Items().GetFirstNode(); node; node = node->GetNext())
        if (node->GetChildren() && IsNodeItem(ItemOf(node)))
            nodes.push_back(node);
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        static_cast<TrmNodeInspectorItem*>(ItemOf(*it))->SetSummary(SummaryOf(**it));
    Control::Invalidate();
    // Rows may have come or gone: the scroll bar follows, and the editor goes where its row is now.
    UpdateVScrollBar();
    if (TrmCustomInspectorItem* item = ItemOf(FCurrentNode); item && item->Editabled() && FEditor && !EditorHoldsTyping())
        PutValueIntoEditor(*item);
}

void TrmInspector::ItemValueChanged(TrmCustomInspectorItem& Item)
{
    if (FEditor && &Item == ItemOf(FCurrentNode) && !FTypedChange)
        PutValueIntoEditor(Item);
    RequestRepaint();
}

void TrmInspector::Loaded()
{
    UpdateVScrollBar();
    Invalidate();
}
