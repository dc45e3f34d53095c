#include "ui/InspectorRows.h"

#include <charconv>
#include <exception>

#include "platform/Utf8.h"
#include "platform/Windows1252.h"

std::string InspectorText(std::string_view windows1252)
{
    return platform::Windows1252ToUtf8(windows1252);
}

std::string ModelText(std::string_view utf8, size_t maxChars)
{
    std::u32string chars = platform::Utf8ToCodePoints(utf8);
    if (chars.size() > maxChars)
        chars.resize(maxChars);
    return platform::Utf8ToWindows1252(platform::CodePointsToUtf8(chars));
}

const std::string& CharactersLostNote()
{
    static const std::string note =
        "The text held characters that a mission cannot keep (it stores its texts in Windows-1252).\n"
        "Each of them was stored as \"?\".";
    return note;
}

bool LosesCharacters(const TrmInspector& inspector, const TrmCustomInspectorItem& row)
{
    return !inspector.EditorBeingTyped() && !platform::ExactWindows1252(row.AsString());
}

TrmCustomInspectorItem& EnsureRow(TrmInspector& inspector, TrmTreeNonViewNode* parent,
                                  const TrmInspectorItemClass& itemClass, std::string_view key,
                                  std::string_view caption)
{
    if (TrmCustomInspectorItem* row = FindRow(inspector, key)) {
        if (&row->ItemClass() == &itemClass)
            return *row;
        inspector.RemoveNode(row->Node());
    }
    TrmCustomInspectorItem* row = inspector.AddItem(parent, itemClass);
    row->SetName(std::string(key));
    row->Node()->SetText(std::string(caption));
    return *row;
}

void SetRowText(TrmCustomInspectorItem* row, const std::string& utf8)
{
    if (!row || row->AsString() == utf8)
        return;
    try {
        row->SetAsString(utf8);
        // A number row drops a value outside its range without a word: an
        // empty row then says "no value" rather than showing an old one.
        if (row->AsString() != utf8)
            row->SetAsString(std::string());
    } catch (const std::exception&) {
        // The row keeps what it showed: the text is no value of its kind.
    }
}

void SetRowCaption(TrmCustomInspectorItem& row, std::string_view caption)
{
    if (row.Node() && row.Node()->Text() != caption)
        row.Node()->SetText(std::string(caption));
}

void SetRowChoices(TrmComboInspectorItem& row, std::vector<std::string> choices)
{
    if (row.Items() != choices)
        row.SetItems(choices);
}

std::vector<std::string> CatalogueChoices(InspectorRow row)
{
    const auto choices = InspectorKeys().Choices(row);
    return {choices.begin(), choices.end()};
}

std::string ChoiceAt(std::span<const std::string> choices, size_t index)
{
    return index < choices.size() ? choices[index] : std::string();
}

int ChoicePosition(const TrmCustomInspectorItem& row)
{
    const auto* choice = dynamic_cast<const TrmComboInspectorItem*>(&row);
    return choice ? choice->ItemIndex() : -1;
}

void RemoveRow(TrmInspector& inspector, std::string_view key)
{
    inspector.RemoveItem(std::string(key));
}

void RemoveChildRows(TrmInspector& inspector, TrmCustomInspectorItem& row)
{
    TrmTreeNonViewNode* node = row.Node();
    if (!node || !node->GetChildren())
        return;
    const TrmTreeNonViewNode* selected = inspector.GetVisibleItem(inspector.ItemIndex());
    if (selected && selected != node && selected->HasAsParent(node))
        inspector.SetItemIndex(-1);
    inspector.ClearNode(node);
}

void ClearInspector(TrmInspector& inspector)
{
    inspector.SetItemIndex(-1);
    inspector.ClearItems();
}

bool RowInteger(const TrmCustomInspectorItem& row, int64_t& value)
{
    const std::string text = row.AsString();
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}
