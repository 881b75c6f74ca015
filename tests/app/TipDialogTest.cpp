// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The tip number as a hand-edited settings file may hold it, and what the
// dialog writes back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

#include "app/ScratchFolder.h"
#include "app/TipDialog.h"
#include "net/Profile.h"

namespace {

QPushButton* Button(QWidget& parent, const QString& text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    return nullptr;
}

TEST(TipDialogTest, AnyStoredNumberShowsATipAndStoresTheNextOne) {
    ScratchFolder scratch("tips");
    CProfile profile(scratch.File("settings.ini"));
    struct Row {
        const char* stored;  // nullptr: no key
        int shown;
        int next;
    } rows[] = {
        {nullptr, 0, 1},       {"37", 17, 18},           {"19", 19, 0},  {"-3", 17, 18},
        {"99999999999", 7, 8}, {"-99999999999", 12, 13}, {"junk", 0, 1},
    };
    for (const Row& row : rows) {
        profile.DeleteKey("Tips", "TipNumber");
        if (row.stored) profile.WriteString("Tips", "TipNumber", row.stored);
        CTipDialog dialog(profile);
        EXPECT_EQ(dialog.Shown(), row.shown) << (row.stored ? row.stored : "(none)");
        EXPECT_EQ(profile.GetString("Tips", "TipNumber"), std::to_string(row.next))
            << (row.stored ? row.stored : "(none)");
    }

    profile.WriteString("Tips", "TipNumber", "37");
    CTipDialog dialog(profile);
    EXPECT_TRUE(dialog.Text().startsWith("Did you know...\n\nYou can hit ESC"))
        << dialog.Text().toStdString();
    QPushButton* next = Button(dialog, "Next Tip");
    ASSERT_NE(next, nullptr);
    next->click();
    next->click();
    next->click();
    EXPECT_EQ(dialog.Shown(), 0);
    // Browsing on does not move the next start's tip.
    EXPECT_EQ(profile.GetString("Tips", "TipNumber"), "18");
}

TEST(TipDialogTest, ShowTipsIsWrittenOnlyWhenTheUserChangedIt) {
    ScratchFolder scratch("show-tips");
    CProfile profile(scratch.File("settings.ini"));
    {
        CTipDialog dialog(profile);
        ASSERT_TRUE(dialog.findChild<QCheckBox*>()->isChecked());
        dialog.reject();
    }
    EXPECT_EQ(profile.GetString("Tips", "ShowTips", "absent"), "absent");
    {
        CTipDialog dialog(profile);
        dialog.findChild<QCheckBox*>()->setChecked(false);
        Button(dialog, "Close")->click();
    }
    EXPECT_EQ(profile.GetString("Tips", "ShowTips"), "0");

    // Turned off: nothing opens at start-up, and the tip number stays.
    const std::string before = profile.GetString("Tips", "TipNumber");
    QWidget frame;
    CTipDialog::ShowAtStartup(profile, &frame);
    EXPECT_EQ(frame.findChild<CTipDialog*>(), nullptr);
    EXPECT_EQ(profile.GetString("Tips", "TipNumber"), before);
}

}  // namespace
