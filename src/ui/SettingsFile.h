#pragma once
// The settings file "ini.xml": the editor's preferences (CSettings) and the
// layout of its windows, kept in one element "Editor" under the document's
// root. Plain data only; the windows copy the layout records to and from their
// widgets (WindowLayout.h holds the Qt side).
//
// Element "Editor" (attribute values are text):
//   attributes  AutoResize AutoShowErr ConvertCapTo MaxCapPopulation MaxPopulation
//               MinCapPopulation MinPopulation OwnerColors ShArmies ShCastles ShIcons
//               ShNames ShPaths TransArmies TransCastles TransValue
//               (flags written as integers, read as booleans; the rest 0..255)
//   <Font>       Charset Color Height Name Pitch PixelsPerInch Size Bold Italic Underline StrikeOut
//   <MissForm>   Visible Width Height Left Top SplitPos
//   <EventsForm> Visible Width Height Left Top SplitPos Splitter (Splitter is not read back)
//   <ErrorsForm> Width Height Left Top
//   <MainForm>   Width Height Left Top State Splitter SplitPlPos SplitPrPos FilePanel
//                ShowPanel ZoomPanel ProvHeight ProvWidName ProvWidOwner
// The layout's booleans are written "True"/"False" and the font's styles 1/0;
// every boolean reader takes "true"/"false" in any case and integers (non-zero
// is true).
//
// Reading never fails on content: a missing element or attribute, or a value
// that is not a number of the field's range, leaves the field as it was, so a
// record filled with defaults (or with the windows' current state) keeps them.
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/FontSpec.h"
#include "platform/WindowPlacement.h"

class CSettings;
namespace platform {
class XmlNode;
}

// A window's bounds: its size and its position on the screen. A width or height
// of 0 means "never stored": the window keeps its designed bounds.
struct CWindowBounds {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Left = 0;
    int32_t Top = 0;

    bool IsSet() const { return Width > 0 && Height > 0; }
    friend bool operator==(const CWindowBounds&, const CWindowBounds&) = default;
};

// The mission window ("MissForm") and the events window ("EventsForm").
struct CToolFormLayout : CWindowBounds {
    bool Visible = false;
    int32_t SplitPos = 0; // the split position of the window's inspector
    friend bool operator==(const CToolFormLayout&, const CToolFormLayout&) = default;
};

struct CEventsFormLayout : CToolFormLayout {
    int32_t Splitter = 0; // top of the window's splitter; written, never read back
    friend bool operator==(const CEventsFormLayout&, const CEventsFormLayout&) = default;
};

struct CMainFormLayout : CWindowBounds {
    platform::WindowState State = platform::WindowState::Normal;
    int32_t Splitter = 0;   // width of the left page control
    int32_t SplitPlPos = 0; // split position of the player inspector
    int32_t SplitPrPos = 0; // split position of the province inspector
    bool FilePanel = true;  // Checked of the panel actions
    bool ShowPanel = true;
    bool ZoomPanel = true;
    int32_t ProvHeight = 0;   // height of the provinces list panel
    int32_t ProvWidName = 0;  // widths of the provinces list's name and owner columns
    int32_t ProvWidOwner = 0;
    friend bool operator==(const CMainFormLayout&, const CMainFormLayout&) = default;
};

struct CEditorLayout {
    CToolFormLayout missForm;
    CEventsFormLayout eventsForm;
    CWindowBounds errorsForm; // the warnings dialog keeps it up to date itself
    CMainFormLayout mainForm;
    friend bool operator==(const CEditorLayout&, const CEditorLayout&) = default;
};

// Fills `settings` and `layout` from element "Editor" (see the top of the file).
void LoadSettings(const platform::XmlNode& editor, CSettings& settings, CEditorLayout& layout);
// Writes every attribute and child of element "Editor", adding what is missing
// and keeping anything else the element holds.
void SaveSettings(const platform::XmlNode& editor, const CSettings& settings, const CEditorLayout& layout);

// The whole file. A missing file is no error: everything keeps its value. A file
// that cannot be read or parsed leaves everything as it was and returns false
// with `error` naming the file and the fault.
bool ReadSettingsFile(const std::filesystem::path& file, CSettings& settings, CEditorLayout& layout,
                      std::string& error);
// Replaces element "Editor" of the file's document, keeping the rest of a
// readable file; an unreadable or missing file is written anew. The file is
// replaced atomically; false with `error` when it could not be written (nothing
// is thrown, not even for want of memory).
bool WriteSettingsFile(const std::filesystem::path& file, const CSettings& settings, const CEditorLayout& layout,
                       std::string& error);

// The font colour as the settings file stores it (the platform colour
// 0x00BBGGRR, negative for a system colour) and back to the 0x00RRGGBB of
// FontSpec; a system colour becomes its current value.
int32_t FontColorToFile(uint32_t rgb);
uint32_t FontColorFromFile(int32_t stored);
