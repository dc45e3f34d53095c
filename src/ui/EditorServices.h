#pragma once
// What the main window asks of the world around it, behind small interfaces so
// that tests drive a real window with scripted answers: the message boxes and
// questions (IPrompts), the file dialogs (IFileChooser) and the editor's
// dialogs (IEditorDialogs). Null pointers in TMainFormSetup mean the real Qt ones.
#include <filesystem>
#include <optional>
#include <string>

#include "model/EditorHooks.h"

class TDlgComplex;

// The common open and save dialogs. Filters come in the "Text (*.a)|*.a|Other|*.b"
// form, pairs of a description and a pattern list separated by '|'.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // The file to read, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filter) = 0;
    // The file to write, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseSaveFile(const std::string& filter) = 0;
};

// The editor's own dialogs and tool windows that the main window opens. Each
// default does nothing, so a window without them still runs.
class IEditorDialogs {
public:
    virtual ~IEditorDialogs() = default;
    // "Preferences...": the preferences dialog, modal.
    virtual void ShowOptions() {}
    // "World image warnings": the warnings list filled and the window shown.
    virtual void ShowWarnings() {}
    // "About": the about box, modal.
    virtual void ShowAbout() {}
    // The project loaded new castle pictures: the preferences dialog's castle panel follows.
    virtual void FillCastleImages() {}
    // The progress window of long operations (null: none shown).
    virtual IProgressDisplay* Progress() { return nullptr; }
    // The one text editor the mission and events windows share (null: the main window
    // makes one for them).
    virtual TDlgComplex* DlgComplex() { return nullptr; }
};

// Where the main window finds its files and whom it asks.
struct TMainFormSetup {
    // Holds "fw.xml" (the game catalogue) and "res/" (textures, marker and icon pictures).
    std::filesystem::path dataFolder = ".";
    // Holds "ini.xml", the editor's settings, read at start and written at close.
    std::filesystem::path settingsFolder = ".";
    IPrompts* prompts = nullptr;
    IFileChooser* files = nullptr;
    IEditorDialogs* dialogs = nullptr;
};
