#pragma once
// The preferences dialog "Map Editor Preferences": the province-name font and colour, the
// warnings and transparency switches and the icon transparency. Every change
// is stored in the settings at once and shown on the map; there is no cancel.
// A hidden page lists the castle pictures of the current catalogue.
#include <QDialog>

class CMapProject;
class CSettings;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QWidget;
class TImage32;

class TDlgOptions : public QDialog {
public:
    // Both must outlive the dialog.
    TDlgOptions(CSettings& settings, CMapProject& project, QWidget* parent = nullptr);

    // Shown with QDialog::exec(); each showing fills the controls (FormShow).
    //
    // Rebuilds the castle-picture panel from the project's castle types (their
    // pictures and names); the project calls it when it loaded new pictures.
    void FillCastleImages();

    // The track bar's range: the transparency in tenths.
    static constexpr int kTransSteps = 10;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BtnNameFontClick();
    void TrkBTransValueChange();
    void ShowTransValue();
    void ShowNameFont();
    void ChkBTransCastlesClick();
    void ChkBTransArmiesClick();
    QTabWidget* BuildPages();
    QWidget* BuildImagesPage();

    CSettings& settings_;
    CMapProject& project_;
    QTabWidget* pages_ = nullptr;
    QPushButton* BtnNameFont = nullptr;
    QCheckBox* ChkBAutoShowErrors = nullptr;
    QCheckBox* ChkBTransCastles = nullptr;
    QCheckBox* ChkBTransArmies = nullptr;
    QCheckBox* ChkBAutoResize = nullptr;
    QSlider* TrkBTransValue = nullptr;
    QLabel* LbTransValue = nullptr;
    QWidget* ScBImages = nullptr; // the scroll box's content: castle rows and the army sign
    TImage32* ImgArmy0 = nullptr;
    bool filling_ = false; // FormShow is setting the controls
};
