#pragma once
// The province inspector over the selection: every row shows the value the
// selected provinces share (a mixed value shows empty or undefined), and a
// change applies to all of them. The main window shows the inspector and
// follows the changes in its lists; this part knows only the inspector, the
// selection and the project.
#include <cstdint>

class CMapProject;
class CSelect;
class TrmCustomInspectorItem;
class TrmInspector;

// The rows for the selection and their values: none for an empty selection;
// the name row only for one province; the guardian army rows only for a
// common owner; the castle's sub-rows only while some selected province has a
// castle. Rows in place are kept, so that a change does not lose the row being
// edited unless the set of rows changes.
void FillProvinceInspector(const CMapProject& project, const CSelect& selection, TrmInspector& inspector);

// What a row's change concerned, for the window to follow.
// NameTaken: the name typed is another province's, and was refused.
enum class ProvinceRowChange : uint8_t { None, Name, NameTaken, Owner, Castle, Other };

// Applies the row's new value to every selected province through the province
// setters (an undefined check-box state and an empty number change nothing).
// An owner change restores the capital a province was to its old owner
// (capital castle undone) and redraws the pieces; a castle change shows the
// castle icons.
ProvinceRowChange ApplyProvinceRow(CMapProject& project, const CSelect& selection, const TrmCustomInspectorItem& row);
