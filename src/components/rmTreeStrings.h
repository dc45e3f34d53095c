#pragma once
// The nodes of a path tree view seen as a list of strings: line i is node i in depth-first
// order, one tab for each level below the top and then the node's text; its object is
// the node's Data. Adding a line takes its level from its leading tabs or spaces and
// places it after the last node, as loading the indented text form does.
#include "components/rmPathTreeNodes.h"

#include <string>

class TTreeStrings {
public:
    explicit TTreeStrings(TrmTreeNodes& Owner) : FOwner(Owner) {}

    int32_t Count() const { return FOwner.Count(); }
    // Both raise ETreeViewError "Invalid index" outside the list.
    std::string Strings(int32_t Index) const;
    void* Objects(int32_t Index) const;
    // Each returns the new line's index. A line more than one level below the last
    // node raises ETreeViewError "Invalid item level assignment" and adds nothing.
    int32_t Add(const std::string& S) { return AddObject(S, nullptr); }
    int32_t AddObject(const std::string& S, void* Object);
    void Delete(int32_t Index);
    void Clear() { FOwner.Clear(); }
    // Every line followed by CR LF: the indented text form.
    std::string Text() const;

    // The line of one node, and the level and text of a line.
    static std::string LineOf(const TrmTreeNode& Node);
    static int32_t LevelOf(std::string_view Line);

private:
    TrmTreeNodes& FOwner;
};
