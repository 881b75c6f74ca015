// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Challenge and suggestion popups as the user meets them: where they
// appear, that typing is not interrupted, and what each button sends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "app/UrlOpener.h"
#include "console/PopupList.h"
#include "net/ServerMessage.h"

namespace {

PopupContent Challenge(const std::string& name) {
    CServerMessage m(CServerMessage::Datagram, 29);
    for (const std::string& f : {std::string("29"), name, std::string("1500"), std::string("2")})
        m.AppendField(f);
    return PopupContent::ForChallenge(m);
}

struct Console {
    Console() : popups(&window, Actions()) {
        auto* layout = new QVBoxLayout(&window);
        entry = new QLineEdit(&window);
        layout->addWidget(entry);
        window.show();
        QApplication::setActiveWindow(&window);
        entry->setFocus();
    }
    CTriChoiceDlg::Actions Actions() {
        return {
            [this](std::string_view line) { sent << QString::fromStdString(std::string(line)); },
            [this](const std::string& url) {
                return opener ? opener->OpenUrl(QString::fromStdString(url)) : false;
            }};
    }
    QWidget window;
    QLineEdit* entry = nullptr;
    QStringList sent;
    CUrlOpener* opener = nullptr;
    CPopupList popups;
};

TEST(TriChoiceDlg, SixChallengesTakeFiveSlotsAndTheSixthSitsOnTheFirst) {
    Console console;
    ASSERT_EQ(QApplication::focusWidget(), console.entry);
    std::vector<CTriChoiceDlg*> shown;
    for (const char* name : {"a1", "a2", "a3", "a4", "a5", "a6"}) {
        shown.push_back(console.popups.Show(Challenge(name)));
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(shown[i]->pos(), QPoint(20, 20 + 100 * i)) << i;
    EXPECT_EQ(shown[5]->pos(), QPoint(20, 20));
    EXPECT_EQ(QApplication::focusWidget(), console.entry) << "a popup took the keyboard";

    // Closing one frees its place for the next.
    shown[2]->SecondButton()->click();
    EXPECT_EQ(console.popups.Show(Challenge("a7"))->pos(), QPoint(20, 220));
    EXPECT_EQ(console.popups.Open().size(), 6u);
}

TEST(TriChoiceDlg, ButtonsSendTheirCommandsAndAWithdrawalSendsNothing) {
    Console console;
    const QPointer<CTriChoiceDlg> bob = console.popups.Show(Challenge("bob"));
    bob->FirstButton()->click();
    console.popups.Show(Challenge("eve"))->SecondButton()->click();
    // Escape or the close box answers as the second button.
    console.popups.Show(Challenge("sam"))->close();
    console.popups.Show(Challenge("kim"));
    console.popups.Show(Challenge("kim"));
    console.popups.CloseNamed("kim");
    EXPECT_EQ(console.sent, (QStringList{"Accept bob\n", "Decline eve\n", "Decline sam\n"}));
    EXPECT_TRUE(console.popups.Open().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bob.isNull()) << "an answered popup stays in memory";
}

TEST(TriChoiceDlg, RefusedAddressIsReportedToUserAndServer) {
    Console console;
    QStringList log;
    CUrlOpener::Platform platform;
    platform.openWithDesktop = [&](const QUrl& url) {
        log << "desktop " + url.toString();
        return true;
    };
    platform.findBrowsers = [] { return QStringList{}; };
    platform.start = [](const QString&, const QString&) { return true; };
    platform.warn = [&](const QString& text) { log << text; };
    CUrlOpener opener(platform);
    console.opener = &opener;

    CServerMessage m(CServerMessage::Datagram, 91);
    for (const char* f : {"91", "file:///etc/passwd", "look", "1", "tom", "", "7"})
        m.AppendField(f);
    CTriChoiceDlg* popup = console.popups.Show(PopupContent::ForSuggestion(m));
    EXPECT_EQ(popup->Text(), "tom suggests: look\n\nURL: file:///etc/passwd");
    popup->FirstButton()->click();
    EXPECT_EQ(log, QStringList{"Error launching web browser. Please visit file:///etc/passwd "
                               "manually."});
    EXPECT_EQ(console.sent, QStringList{"\x18Wsuggestfailed tom file:///etc/passwd 7\n"});
}

}  // namespace
