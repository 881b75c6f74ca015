// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/MainConsoleHost.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include "net/ConnectionSettings.h"
#include "net/qt/Kordane2Doc.h"

namespace {

QString FromServer(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMainConsoleHost::CMainConsoleHost(IMainConsoleHost& view, QWidget* widget, CKordane2Doc& doc)
    : m_view(view),
      m_widget(widget),
      m_doc(doc),
      m_popups(widget, CTriChoiceDlg::Actions{
                           [&doc](std::string_view command) { doc.Parser().SendCommand(command); },
                           [this](const std::string& url) { return OpenUrl(url); }}) {
    m_warn = [widget](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, widget);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
}

std::vector<std::string> CMainConsoleHost::PluginNames() const {
    return m_doc.PluginNames();
}

void CMainConsoleHost::AuthenticatePlugins() {
    m_doc.AuthenticatePlugins();
}

void CMainConsoleHost::PluginAuthResult(int index, const std::string& text) {
    m_doc.OnPluginAuthResult(index, text);
}

void CMainConsoleHost::OnLoggedIn(const std::string& handle) {
    m_view.OnLoggedIn(handle);
    // The console comes to the front ready for typing once the server has
    // accepted us.
    if (QWidget* frame = m_widget->parentWidget()) frame->raise();
    m_widget->setFocus();
}

void CMainConsoleHost::PlaySoundEvent(SoundEvent event) {
    m_doc.PlaySound(event);
}

bool CMainConsoleHost::BypassMatch() const {
    if (m_bypassMatch) return m_bypassMatch();
    return m_doc.Profile().GetInt(ConnectionSettings::kBypassMatch) != 0;
}

bool CMainConsoleHost::OpenUrl(const std::string& url) {
    // Without an opener nothing may leave the program: a refusal.
    return m_openUrl && m_openUrl(FromServer(url));
}

void CMainConsoleHost::ShowWarning(std::string_view text) {
    if (m_warn) m_warn(FromServer(text));
}

void CMainConsoleHost::MarkModified() {
    m_doc.SetModified();
}

void CMainConsoleHost::SaveIfModified() {
    if (m_doc.IsModified() && !m_doc.Save()) {
        const std::string& path = m_doc.FilePath();
        ShowWarning("Could not save the connection file " +
                    (path.empty() ? m_doc.Params().handle + ".kd2" : path) + ".");
    }
}

void CMainConsoleHost::Redirect() {
    m_doc.Redirect();
}

CProfile* CMainConsoleHost::Settings() {
    return &m_doc.Profile();
}
