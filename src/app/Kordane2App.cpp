// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/Kordane2App.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>

#include "app/CanberraOutput.h"
#include "app/CommandLine.h"
#include "app/ConnectionFiles.h"
#include "app/FileMenu.h"
#include "app/LoginDialog.h"
#include "app/MainFrame.h"
#include "app/ShellMenus.h"
#include "app/SoundPlayer.h"
#include "app/TipDialog.h"
#include "net/ConnectionSettings.h"
#include "net/FileNames.h"
#include "net/Profile.h"
#include "net/ServerHosts.h"
#include "net/qt/Kordane2Doc.h"

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
    // A folder we cannot list is as good as none: the settings would not load.
    return ReadableCurrentFolder();
}

bool CKordane2App::InitInstance(const std::vector<std::string>& args) {
    // Sockets need no start-up of their own under Qt, so there is nothing
    // that can fail before the settings file is fixed.
    m_profile = std::make_unique<CProfile>(ProfilePath(ProfileName(CurrentFolder())));
    WriteDnsDefaults(*m_profile);
    m_sounds->LoadSettings(*m_profile);
    m_files = std::make_unique<CConnectionFiles>(*this, *m_profile);

    m_mainFrame = std::make_unique<CMainFrame>(*m_profile);
    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        screen = primary->availableGeometry().size();
    }
    m_mainFrame->RestoreWindowLayout(screen);
    m_mainFrame->activateWindow();
    auto* options = m_mainFrame->findChild<QMenu*>(QStringLiteral("optionsMenu"));
    auto* help = m_mainFrame->findChild<QMenu*>(QStringLiteral("helpMenu"));
    auto* file = m_mainFrame->findChild<QMenu*>(QStringLiteral("fileMenu"));
    if (options && help) new CShellMenus(options, help, *m_sounds, *m_profile, m_mainFrame.get());
    if (file) new CFileMenu(file, *m_files, *m_mainFrame);

    // The tip comes first; the login dialog of the first connection follows
    // once it is closed, so that the two never stand over each other.
    if (CTipDialog* tip = CTipDialog::ShowAtStartup(*m_profile, m_mainFrame.get())) {
        QObject::connect(
            tip, &QDialog::finished, m_mainFrame.get(), [this, args] { OpenFirstConnection(args); },
            Qt::QueuedConnection);
    } else {
        OpenFirstConnection(args);
    }
    return true;
}

void CKordane2App::OpenFirstConnection(const std::vector<std::string>& args) {
    const CommandLine commandLine = CommandLine::Parse(args);
    m_debug = commandLine.debug;
    m_plugins = commandLine.plugins;
    CPluginHost::Application().paths = m_plugins;
    for (const std::string& arg : commandLine.unrecognized) {
        m_messageBox(QStringLiteral("Unrecognized command-line argument: %1")
                         .arg(QString::fromLocal8Bit(arg.c_str())));
    }

    if (!commandLine.connectionFile.empty()) {
        m_files->Open(commandLine.connectionFile);
    } else if (!m_files->Recent().Entries().empty()) {
        m_files->OpenRecent(0);
    } else {
        m_files->NewConnection();
    }
}

bool CKordane2App::OpenConnectionFile(const std::string& path) {
    return m_files->Open(path) != nullptr;
}

bool CKordane2App::AskLogin(ConnectionParams& params, bool& modified) {
    if (m_loginPrompt) return m_loginPrompt(params, modified);
    CLoginDialog dialog(params, m_mainFrame.get());
    dialog.exec();
    if (dialog.Result() == CLoginDialog::Outcome::Cancelled) return false;
    modified = dialog.Apply(params);
    return true;
}

QString CKordane2App::ChooseFile(FileChoice choice, const QString& current) {
    if (m_fileChooser) return m_fileChooser(choice, current);
    switch (choice) {
        case FileChoice::OpenConnection:
            return QFileDialog::getOpenFileName(m_mainFrame.get(), QStringLiteral("Open"), current,
                                                QStringLiteral("Connection (*.kd2)"));
        case FileChoice::SaveConnection:
            return QFileDialog::getSaveFileName(m_mainFrame.get(), QStringLiteral("Save As"),
                                                current, QStringLiteral("Connection (*.kd2)"));
        case FileChoice::LogFile: {
            QFileDialog dialog(m_mainFrame.get(), QStringLiteral("Enter Log Filename"), current,
                               QStringLiteral("PGN files (*.pgn)"));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(QStringLiteral("pgn"));
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
            return dialog.selectedFiles().front();
        }
    }
    return {};
}

CKordane2App::SaveAnswer CKordane2App::AskSave(const QString& text) {
    if (m_saveQuestion) return m_saveQuestion(text);
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(CMainFrame::kAppTitle), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_mainFrame.get());
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return SaveAnswer::Yes;
        case QMessageBox::No:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
    }
}

CKordane2Doc& CKordane2App::NewDocument() {
    auto* doc = new CKordane2Doc(*m_profile, m_documents.get());
    doc->SetDebug(m_debug);
    QObject::connect(doc, &CKordane2Doc::soundEvent, doc,
                     [this](SoundEvent event) { m_sounds->PlaySound(event); });
    QObject::connect(doc, &CKordane2Doc::pluginLaunchFailed, doc,
                     [this](const QString& text) { Tell(text); });
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
    for (const ServerHosts::Host& host : ServerHosts::kHosts) {
        if (!host.cachedAddress) continue;
        if (profile.GetString(ConnectionSettings::kDnsCacheSection, host.name).empty()) {
            profile.WriteString(ConnectionSettings::kDnsCacheSection, host.name,
                                host.cachedAddress);
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
