// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Which addresses leave the program, and what the user is told when none of
// the ways to a browser works.
#include <gtest/gtest.h>

#include <QStringList>

#include "app/UrlOpener.h"

namespace {

// A desktop whose every step can be told to fail, recording what it was asked.
struct FakeDesktop {
    bool desktopWorks = true;
    QStringList browsers;
    bool startWorks = true;
    QStringList log;

    CUrlOpener Opener() {
        CUrlOpener::Platform platform;
        platform.openWithDesktop = [this](const QUrl& url) {
            log << "desktop " + QString::fromLatin1(url.toEncoded());
            return desktopWorks;
        };
        platform.findBrowsers = [this] { return browsers; };
        platform.start = [this](const QString& program, const QString& argument) {
            log << "start " + program + " " + argument;
            return startWorks;
        };
        platform.warn = [this](const QString& text) { log << "warn " + text; };
        return CUrlOpener(platform);
    }
};

TEST(UrlOpenerTest, OnlyWebAddressesReachTheDesktop) {
    struct Row {
        const char* text;
        const char* handedOn;  // nullptr: refused
    } rows[] = {
        {"http://www.vcx-server.net/help/", "http://www.vcx-server.net/help/"},
        {"HTTPS://Example.org/a?b=c#d", "https://example.org/a?b=c#d"},
        {"  https://example.org/  ", "https://example.org/"},
        {"www.vcx-server.net/events", "http://www.vcx-server.net/events"},
        {"WWW.example.org", "http://WWW.example.org"},
        {"http://example.org/a b", "http://example.org/a%20b"},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"mailto:someone@example.org", nullptr},
        {"ftp://example.org/file", nullptr},
        {"smb://server/share", nullptr},
        {"-new-window http://example.org", nullptr},
        {"example.org", nullptr},
        {"http://", nullptr},
        {"http:///path", nullptr},
        {"", nullptr},
    };
    for (const Row& row : rows) {
        FakeDesktop desktop;
        const bool opened = desktop.Opener().OpenUrl(QString::fromUtf8(row.text));
        if (row.handedOn) {
            EXPECT_TRUE(opened) << row.text;
            EXPECT_EQ(desktop.log.join('|').toLower(),
                      (QStringLiteral("desktop ") + row.handedOn).toLower())
                << row.text;
        } else {
            EXPECT_FALSE(opened) << row.text;
            EXPECT_EQ(desktop.log, QStringList{"warn Error launching web browser. Please visit " +
                                               QString::fromUtf8(row.text) + " manually."})
                << row.text;
        }
    }
}

TEST(UrlOpenerTest, FallsBackToEachBrowserThenTellsTheUser) {
    const QString url = QStringLiteral("http://example.org/");

    FakeDesktop none;
    none.desktopWorks = false;
    EXPECT_FALSE(none.Opener().OpenUrl(url));
    EXPECT_EQ(none.log, QStringList({"desktop " + url,
                                     "warn No browser found! Please visit " + url + " manually."}));

    FakeDesktop secondStarts;
    secondStarts.desktopWorks = false;
    secondStarts.browsers = {"/usr/bin/xdg-open", "/opt/web"};
    int starts = 0;
    CUrlOpener::Platform platform;
    platform.openWithDesktop = [](const QUrl&) { return false; };
    platform.findBrowsers = [&] { return secondStarts.browsers; };
    platform.start = [&](const QString& program, const QString& argument) {
        secondStarts.log << "start " + program + " " + argument;
        return ++starts == 2;
    };
    platform.warn = [&](const QString& text) { secondStarts.log << "warn " + text; };
    EXPECT_TRUE(CUrlOpener(platform).OpenUrl(url));
    EXPECT_EQ(secondStarts.log,
              QStringList({"start /usr/bin/xdg-open " + url, "start /opt/web " + url}));

    FakeDesktop broken;
    broken.desktopWorks = false;
    broken.browsers = {"/usr/bin/xdg-open"};
    broken.startWorks = false;
    EXPECT_FALSE(broken.Opener().OpenUrl(url));
    EXPECT_EQ(broken.log.last(),
              "warn Error launching web browser. Please visit " + url + " manually.");

    FakeDesktop help;
    help.desktopWorks = false;
    EXPECT_FALSE(help.Opener().ShowHelp());
    ASSERT_EQ(help.log.size(), 2);
    EXPECT_TRUE(help.log[1].startsWith("warn Could not open web browser. Please visit http"));
    EXPECT_TRUE(help.log[1].endsWith("index.html for help.")) << help.log[1].toStdString();
}

}  // namespace
