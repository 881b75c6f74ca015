// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

class QWidget;

// Hands web addresses to the user's browser: links in console text, help,
// the home page. Only http and https addresses ever leave the program
// (a bare "www." address is taken as http): an address the server sent
// could otherwise name a local file or another program's scheme.
class CUrlOpener {
  public:
    static constexpr const char* kHelpBase = "https://www.vcx-server.net/kordane/help/";
    static constexpr const char* kHomePage = "https://www.vcx-server.net/";

    // The platform underneath, replaceable in tests.
    struct Platform {
        // The desktop's own opener; true when it took the address.
        std::function<bool(const QUrl&)> openWithDesktop;
        // Browser programs to start directly when the desktop failed, best first.
        std::function<QStringList()> findBrowsers;
        // Starts a program with one argument, without waiting for it.
        std::function<bool(const QString& program, const QString& argument)> start;
        // A warning message box.
        std::function<void(const QString& text)> warn;
    };

    // The real desktop, warnings as message boxes over `parent`.
    explicit CUrlOpener(QWidget* parent = nullptr);
    explicit CUrlOpener(Platform platform);

    // The address to open, or nullopt when it is not one we hand out.
    static std::optional<QUrl> SafeUrl(const QString& text);

    // True when some program took the address; the user is told otherwise.
    bool OpenUrl(const QString& text);
    // The one call for the rest of the program: a link, with any warning
    // shown over `parent`.
    static bool Open(const QString& text, QWidget* parent) {
        return CUrlOpener(parent).OpenUrl(text);
    }
    // The help pages; only the desktop's opener is asked.
    bool ShowHelp();
    bool OpenHomePage() { return OpenUrl(QString::fromLatin1(kHomePage)); }

  private:
    static QStringList DefaultBrowsers();

    Platform m_platform;
};
