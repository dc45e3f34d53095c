#pragma once
// Comparisons for sorting the rows of a list view by one column, and the packing of a
// column and a direction into one sort datum.
#include <cstdint>
#include <string>
#include <vector>

// The texts of one list-view row: its caption and its sub-items (column 0 is the first
// sub-item).
struct TListItemTexts {
    std::string Caption;
    std::vector<std::string> SubItems;
};

// Column * 2 + (1 when ascending, else 0).
int32_t EncodeSortData(bool Ascending, int32_t Column);
void DecodeSortData(int32_t Data, bool& Ascending, int32_t& Column);

// Captions compared without regard to ASCII case; negated unless Ascending.
int32_t CaptionStringSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, bool Ascending);

// The sub-items at the column packed in Data compared as text (any case), as integers,
// as decimal numbers or as dates (the short date format mm/dd/yyyy the program writes, or
// YYYY-MM-DD); -1, 0 or 1, negated when descending. Of the
// converting ones: two texts that do not convert are equal, one that does not convert
// sorts before one that does. A missing sub-item is an empty text.
int32_t StringSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data);
int32_t IntegerSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data);
int32_t FloatSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data);
int32_t DateSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data);
