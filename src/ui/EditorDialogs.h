#pragma once
// The editor's dialogs as the main window opens them: preferences, world-image
// warnings, text editor, progress window and about box, each created once,
// shown over the window given as `owner` and deleted with this object.
#include <filesystem>

#include "ui/EditorServices.h"

class CErrorList;
class CMapProject;
class CSettings;
class QWidget;
class TDlgComplex;
class TDlgError;
class TDlgOptions;
class TFormSlide;
class TFrmAbout;
struct CWindowBounds;

class TEditorDialogs : public IEditorDialogs {
public:
    // `warningsBounds` is the settings file's record of the warnings window;
    // it and the other references must outlive the dialogs.
    TEditorDialogs(QWidget& owner, CSettings& settings, CMapProject& project, CErrorList& warnings,
                   CWindowBounds& warningsBounds, const std::filesystem::path& dataFolder);
    // The dialogs go at once, not with their owner, since they refer to records that may die first.
    ~TEditorDialogs() override;
    TEditorDialogs(const TEditorDialogs&) = delete;
    TEditorDialogs& operator=(const TEditorDialogs&) = delete;

    void ShowOptions() override;
    void ShowWarnings() override;
    void ShowAbout() override;
    void FillCastleImages() override;
    IProgressDisplay* Progress() override;
    TDlgComplex* DlgComplex() override { return dlgComplex_; }

private:
    // Children of `owner` for placement, deleted by this object.
    TDlgOptions* dlgOptions_;
    TDlgError* dlgError_;
    TDlgComplex* dlgComplex_;
    TFormSlide* formSlide_;
    TFrmAbout* frmAbout_;
};
