// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/Kordane2App.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <cerrno>
#include <climits>

#include "app/CanberraOutput.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/ShellMenus.h"
#include "app/SoundPlayer.h"
#include "app/TipDialog.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "net/ConnectionFile.h"
#include "net/ConnectionSettings.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// The operator's server host names and the addresses the client falls back to
// when a lookup fails. They point at this machine, where the test server runs.
struct DnsDefault {
    const char* host;
    const char* address;
};
constexpr DnsDefault kDnsDefaults[] = {
    {"chess.vcx-server.net", "127.0.0.1"},
    {"vcx-server.net", "127.0.0.1"},
    {"backup.vcx-server.net", "127.0.0.2"},
};

}  // namespace

CKordane2App::CKordane2App()
    : m_sounds(std::make_unique<CSoundPlayer>(
          std::make_unique<CCanberraOutput>(),
          (QCoreApplication::applicationDirPath() + QStringLiteral("/sounds")).toStdString())),
      m_documents(std::make_unique<QObject>()) {
    m_messageBox = [this](const QString& text) { ShowMessageBox(text, m_mainFrame.get()); };
}

CKordane2App::~CKordane2App() {
    if (m_profile) m_sounds->SaveSettings(*m_profile);
}

bool CKordane2App::SoundsEnabled() const {
    return m_sounds->Enabled();
}

void CKordane2App::PlaySound(SoundEvent event) {
    m_sounds->PlaySound(event);
}

std::string CKordane2App::ProfileName(const std::optional<std::string>& currentFolder) {
    if (!currentFolder || currentFolder->empty() || currentFolder->size() >= kMaxFolderLength) {
        return kBareProfileName;
    }
    std::string name = *currentFolder;
    if (name.back() != '/') name += '/';
    return name + kSettingsFile;
}

std::string CKordane2App::ProfilePath(const std::string& profileName) {
    if (profileName.find('/') != std::string::npos) return profileName;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QDir().mkpath(folder);
    return (folder + QLatin1Char('/') + QString::fromStdString(profileName)).toStdString();
}

std::optional<std::string> CKordane2App::CurrentFolder() {
    std::string buffer(PATH_MAX, '\0');
    if (!::getcwd(buffer.data(), buffer.size())) return std::nullopt;
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    // A folder we cannot list is as good as none: the settings would not load.
    if (::access(buffer.c_str(), R_OK | X_OK) != 0) return std::nullopt;
    return buffer;
}

bool CKordane2App::InitInstance(const std::vector<std::string>& args) {
    // Sockets need no start-up of their own under Qt, so there is nothing
    // that can fail before the settings file is fixed.
    m_profile = std::make_unique<CProfile>(ProfilePath(ProfileName(CurrentFolder())));
    WriteDnsDefaults(*m_profile);
    m_sounds->LoadSettings(*m_profile);

    m_mainFrame = std::make_unique<CMainFrame>();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // Without a window manager "maximised" means nothing, so the first
        // run's maximised window is given the screen's size outright.
        m_mainFrame->setGeometry(screen->availableGeometry());
    }
    m_mainFrame->showMaximized();
    m_mainFrame->activateWindow();
    auto* options = m_mainFrame->findChild<QMenu*>(QStringLiteral("optionsMenu"));
    auto* help = m_mainFrame->findChild<QMenu*>(QStringLiteral("helpMenu"));
    if (options && help) new CShellMenus(options, help, *m_sounds, *m_profile, m_mainFrame.get());
    CTipDialog::ShowAtStartup(*m_profile, m_mainFrame.get());

    const CommandLine commandLine = CommandLine::Parse(args);
    m_debug = commandLine.debug;
    m_plugins = commandLine.plugins;
    for (const std::string& arg : commandLine.unrecognized) {
        m_messageBox(QStringLiteral("Unrecognized command-line argument: %1")
                         .arg(QString::fromLocal8Bit(arg.c_str())));
    }

    if (!commandLine.connectionFile.empty()) {
        OpenConnectionFile(commandLine.connectionFile);
    } else {
        OpenLocalConnection();
    }
    return true;
}

bool CKordane2App::OpenConnectionFile(const std::string& path) {
    ConnectionFile::ReadResult file = ConnectionFile::Read(path);
    if (!file) {
        m_messageBox(
            QStringLiteral("Cannot open the connection file %1: %2.")
                .arg(QString::fromLocal8Bit(path.c_str()), QString::fromStdString(file.error)));
        return false;
    }
    CKordane2Doc& doc = NewDocument();
    doc.Params() = *file.params;
    doc.SetFilePath(path);
    m_mainFrame->AddConnection(doc, QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName());
    return true;
}

void CKordane2App::OpenLocalConnection() {
    m_mainFrame->AddConnection(NewDocument(),
                               QStringLiteral("Connection%1").arg(++m_untitledCount));
}

CKordane2Doc& CKordane2App::NewDocument() {
    auto* doc = new CKordane2Doc(*m_profile, m_documents.get());
    doc->SetDebug(m_debug);
    QObject::connect(doc, &CKordane2Doc::soundEvent, doc, [this](SoundEvent e) { PlaySound(e); });
    return *doc;
}

std::vector<CKordane2Doc*> CKordane2App::Documents() const {
    std::vector<CKordane2Doc*> docs;
    for (QObject* child : m_documents->children()) {
        if (auto* doc = qobject_cast<CKordane2Doc*>(child)) docs.push_back(doc);
    }
    return docs;
}

void CKordane2App::WriteDnsDefaults(CProfile& profile) {
    // Only missing entries are written: a cached address that a lookup has
    // since corrected must not be put back.
    for (const DnsDefault& entry : kDnsDefaults) {
        if (profile.GetString(ConnectionSettings::kDnsCacheSection, entry.host).empty()) {
            profile.WriteString(ConnectionSettings::kDnsCacheSection, entry.host, entry.address);
        }
    }
}

void CKordane2App::ShowMessageBox(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(CMainFrame::kAppTitle), text,
                    QMessageBox::Ok, parent);
    // Arguments and file names are shown as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
