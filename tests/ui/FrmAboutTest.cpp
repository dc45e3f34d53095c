// The about box: its JPEG picture, Escape and OK close it, and a click on the
// link asks the desktop to open the web address.
#include "ui/FrmAbout.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

TEST(FrmAbout, ShowsItsPictureOpensTheWebAddressOnALinkClickAndClosesByOkOrEscape)
{
    EXPECT_FALSE(TFrmAbout(std::filesystem::path(VALDRUNE_DATA_DIR) / "res" / "missing.jpg").HasPicture());
    TFrmAbout about(std::filesystem::path(VALDRUNE_DATA_DIR) / "res" / "about.jpg");
    EXPECT_TRUE(about.HasPicture());
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));

    QTextBrowser opened; // its setSource slot receives the address
    QDesktopServices::setUrlHandler("http", &opened, "setSource");
    QTest::mouseClick(about.findChild<QLabel*>("Label3"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_EQ(opened.source(), QUrl(TFrmAbout::kWebAddress));

    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>("btnOKAbout"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
