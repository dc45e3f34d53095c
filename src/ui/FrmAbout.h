#pragma once
// The about box: a picture, the program's name and version, and the game's web
// address, which a click opens in the desktop's browser. Escape closes it, as
// QDialog does wherever the focus is (no control of the box takes Escape).
#include <filesystem>

#include <QDialog>

class QLabel;

class TFrmAbout : public QDialog {
public:
    static constexpr const char* kWebAddress = "http://www.valdrune.example/";

    // The picture is the JPEG `pictureFile` (normally "res/about.jpg" beside the
    // catalogue); without a readable one the box shows no picture.
    explicit TFrmAbout(const std::filesystem::path& pictureFile, QWidget* parent = nullptr);

    bool HasPicture() const;

    // Opens the web address with the desktop's handler; its result is not examined.
    void Label3Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* picture_;
    QLabel* Label3;
};
