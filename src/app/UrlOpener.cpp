// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/UrlOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include "app/MainFrame.h"

namespace {

void WarningBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(CMainFrame::kAppTitle), text,
                    QMessageBox::Ok, parent);
    // The address came from outside: shown as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

CUrlOpener::CUrlOpener(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    m_platform.openWithDesktop = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    m_platform.findBrowsers = &CUrlOpener::DefaultBrowsers;
    m_platform.start = [](const QString& program, const QString& argument) {
        return QProcess::startDetached(program, {argument});
    };
    m_platform.warn = [owner](const QString& text) { WarningBox(owner, text); };
}

CUrlOpener::CUrlOpener(Platform platform) : m_platform(std::move(platform)) {}

std::optional<QUrl> CUrlOpener::SafeUrl(const QString& text) {
    QString address = text.trimmed();
    if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        address.prepend(QLatin1String("http://"));
    }
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return std::nullopt;
    return url;
}

bool CUrlOpener::OpenUrl(const QString& text) {
    const std::optional<QUrl> url = SafeUrl(text);
    if (url) {
        if (m_platform.openWithDesktop(*url)) return true;
        const QStringList browsers = m_platform.findBrowsers();
        if (browsers.isEmpty()) {
            m_platform.warn(
                QStringLiteral("No browser found! Please visit %1 manually.").arg(text));
            return false;
        }
        // The encoded form: it begins with the scheme, so no program can
        // mistake it for one of its options.
        const QString argument = QString::fromLatin1(url->toEncoded());
        for (const QString& browser : browsers) {
            if (m_platform.start(browser, argument)) return true;
        }
    }
    // An address we will not hand out is reported as a launch that failed.
    m_platform.warn(
        QStringLiteral("Error launching web browser. Please visit %1 manually.").arg(text));
    return false;
}

bool CUrlOpener::ShowHelp() {
    const QString address = QString::fromLatin1(kHelpBase) + QStringLiteral("index.html");
    if (m_platform.openWithDesktop(QUrl(address))) return true;
    m_platform.warn(
        QStringLiteral("Could not open web browser. Please visit %1 for help.").arg(address));
    return false;
}

QStringList CUrlOpener::DefaultBrowsers() {
    QStringList found;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) found << opener;
    // $BROWSER is a colon-separated list of commands; each may carry
    // arguments of its own, which are not ours to interpret.
    const QString list = qEnvironmentVariable("BROWSER");
    for (const QString& entry : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString program = entry.trimmed().section(QLatin1Char(' '), 0, 0);
        if (program.isEmpty()) continue;
        const QString path = QFileInfo(program).isAbsolute()
                                 ? (QFileInfo(program).isExecutable() ? program : QString())
                                 : QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && !found.contains(path)) found << path;
    }
    return found;
}
