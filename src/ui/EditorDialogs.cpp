#include "ui/EditorDialogs.h"

#include "ui/DlgComplex.h"
#include "ui/DlgError.h"
#include "ui/DlgOptions.h"
#include "ui/FormSlide.h"
#include "ui/FrmAbout.h"
#include "ui/ModalDialogs.h"

TEditorDialogs::TEditorDialogs(QWidget& owner, CSettings& settings, CMapProject& project, CErrorList& warnings,
                               CWindowBounds& warningsBounds, const std::filesystem::path& dataFolder)
    : dlgOptions_(new TDlgOptions(settings, project, &owner)),
      dlgError_(new TDlgError(warnings, warningsBounds, &owner)),
      dlgComplex_(new TDlgComplex(&owner)),
      formSlide_(new TFormSlide(&owner)),
      frmAbout_(new TFrmAbout(dataFolder / "res" / "about.jpg", &owner))
{
}

TEditorDialogs::~TEditorDialogs()
{
    delete frmAbout_;
    delete formSlide_;
    delete dlgComplex_;
    delete dlgError_;
    delete dlgOptions_;
}

void TEditorDialogs::ShowOptions()
{
    ExecOverActiveWindow(*dlgOptions_);
}

void TEditorDialogs::ShowWarnings()
{
    dlgError_->ShowWarnings();
}

void TEditorDialogs::ShowAbout()
{
    ExecOverActiveWindow(*frmAbout_);
}

void TEditorDialogs::FillCastleImages()
{
    dlgOptions_->FillCastleImages();
}

IProgressDisplay* TEditorDialogs::Progress()
{
    return formSlide_;
}
