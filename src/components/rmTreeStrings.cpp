#include "components/rmTreeStrings.h"

#include <algorithm>
#include <climits>

std::string TTreeStrings::LineOf(const TrmTreeNode& Node)
{
    std::string line(size_t(Node.GetLevel()), '\t');
    line += Node.Text();
    return line;
}

int32_t TTreeStrings::LevelOf(std::string_view Line)
{
    const size_t indentation = std::min(Line.find_first_not_of("\t "), Line.size());
    return int32_t(std::min<size_t>(indentation, INT32_MAX));
}

std::string TTreeStrings::Strings(int32_t Index) const
{
    return LineOf(*FOwner.GetNodeFromIndex(Index));
}

void* TTreeStrings::Objects(int32_t Index) const
{
    return FOwner.GetNodeFromIndex(Index)->Data();
}

int32_t TTreeStrings::AddObject(const std::string& S, void* Object)
{
    TrmTreeNode* last = FOwner.GetFirstNode();
    while (last && (last->getNextSibling() || last->getFirstChild()))
        last = last->getNextSibling() ? last->getNextSibling() : last->GetLastChild();
    const int32_t level = LevelOf(S);
    if (!FOwner.AddAtLevel(last, last ? last->GetLevel() : 0, level, S.substr(size_t(level)), Object))
        throw ETreeViewError("Invalid item level assignment");
    return Count() - 1;
}

void TTreeStrings::Delete(int32_t Index)
{
    FOwner.Delete(FOwner.GetNodeFromIndex(Index));
}

std::string TTreeStrings::Text() const
{
    std::string text;
    for (const TrmTreeNode* node = FOwner.GetFirstNode(); node; node = node->GetNext()) {
        text += LineOf(*node);
        text += "\r\n";
    }
    return text;
}
