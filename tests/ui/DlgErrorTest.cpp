// The warnings window: one row per warning, a click shows that warning on the
// map and deselecting hides it.
#include "ui/DlgError.h"
#include "ui/SettingsFile.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeWarning : public CErrorList::CErrorBase {
public:
    FakeWarning(std::string text, std::vector<std::string>& log) : text_(std::move(text)), log_(log) {}
    void Show() override
    {
        BecomeCurrent();
        log_.push_back("show " + text_);
    }
    void Hide() override { log_.push_back("hide " + text_); }
    std::string GetText() const override { return text_; }
    int GetImageIndex() const override { return 22; }

private:
    std::string text_;
    std::vector<std::string>& log_;
};

TEST(DlgError, ListsTheWarningsAndShowsOrHidesTheSelectedOne)
{
    std::vector<std::string> log;
    CErrorList warnings;
    warnings.Add(std::make_unique<FakeWarning>("Piece was converted to green land", log));
    warnings.Add(std::make_unique<FakeWarning>("Piece was connected to Caf\xE9", log)); // Windows-1252
    CWindowBounds bounds;
    TDlgError dialog(warnings, bounds);
    dialog.ShowWarnings();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto& list = *dialog.findChild<QListWidget*>("LV");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), QString::fromUtf8("Piece was connected to Caf\xC3\xA9"));
    const auto click = [&list](int row, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, keys, list.visualItemRect(list.item(row)).center());
    };

    click(1);
    EXPECT_EQ(warnings.GetCurrent(), warnings.GetAt(1));
    click(0);
    EXPECT_EQ(warnings.GetCurrent(), warnings.GetAt(0));
    click(0, Qt::ControlModifier); // deselects
    EXPECT_EQ(warnings.GetCurrent(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"show Piece was connected to Caf\xE9", "hide Piece was connected to Caf\xE9",
                                             "show Piece was converted to green land",
                                             "hide Piece was converted to green land"}));

    // Refilling replaces the rows without touching the map.
    click(1);
    log.clear();
    warnings.FillListView();
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(log.empty());

    QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOk"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
