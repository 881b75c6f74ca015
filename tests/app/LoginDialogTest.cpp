// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// "Login Information": where the keyboard starts, and what each of the four
// buttons does to the connection's parameters.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/LoginDialog.h"

namespace {

ConnectionParams Params(std::string handle, std::string password) {
    ConnectionParams p;
    p.host = "chess.vcx-server.net";
    p.port = 5012;
    p.handle = std::move(handle);
    p.password = std::move(password);
    p.savePassword = true;
    return p;
}

TEST(LoginDialogTest, FocusGoesToTheFirstThingStillToType) {
    struct Row {
        const char* handle;
        const char* password;
        const char* focus;
    } rows[] = {{"", "", "handle"},
                {"", "pw", "handle"},
                {"alice", "", "password"},
                {"alice", "pw", "connect"}};
    for (const Row& row : rows) {
        CLoginDialog dialog(Params(row.handle, row.password));
        dialog.show();
        QApplication::processEvents();
        QWidget* expected = dialog.ConnectButton();
        if (std::string(row.focus) == "handle") expected = dialog.HandleBox();
        if (std::string(row.focus) == "password") expected = dialog.PasswordBox();
        EXPECT_EQ(dialog.focusWidget(), expected) << row.handle << "/" << row.password;
    }
}

TEST(LoginDialogTest, EachButtonDecidesHowTheConnectionLogsIn) {
    struct Row {
        QPushButton* (CLoginDialog::*button)() const;
        CLoginDialog::Outcome outcome;
        std::string handle;  // what the parameters hold afterwards
        bool guest, registerNew, modified;
    } rows[] = {
        {&CLoginDialog::ConnectButton, CLoginDialog::Outcome::Connect, "bob", false, false, true},
        {&CLoginDialog::GuestButton, CLoginDialog::Outcome::Guest, "alice", true, false, false},
        {&CLoginDialog::JoinButton, CLoginDialog::Outcome::Register, "alice", false, true, false},
        {&CLoginDialog::CancelButton, CLoginDialog::Outcome::Cancelled, "alice", false, false,
         false},
    };
    for (const Row& row : rows) {
        ConnectionParams params = Params("alice", "pw");
        CLoginDialog dialog(params);
        dialog.HandleBox()->setText("bob");
        (dialog.*row.button)()->click();
        EXPECT_EQ(dialog.Result(), row.outcome);
        EXPECT_EQ(dialog.Apply(params), row.modified);
        EXPECT_EQ(params.handle, row.handle);
        EXPECT_EQ(params.guest, row.guest);
        EXPECT_EQ(params.registerNew, row.registerNew);
    }
}

TEST(LoginDialogTest, OnlyFileContentsMarkTheConnectionModified) {
    ConnectionParams params = Params("alice", "pw");
    params.savePassword = false;
    CLoginDialog dialog(params);
    dialog.PasswordBox()->setText("other");
    dialog.ConnectButton()->click();
    EXPECT_FALSE(dialog.Apply(params)) << "an unsaved password is not in the file";
    EXPECT_EQ(params.password, "other");

    CLoginDialog again(params);
    again.PortBox()->setValue(5013);
    again.ConnectButton()->click();
    EXPECT_TRUE(again.Apply(params));
    EXPECT_EQ(params.port, 5013);
}

}  // namespace
