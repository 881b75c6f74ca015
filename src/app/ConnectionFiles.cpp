// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/ConnectionFiles.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include "app/Kordane2App.h"
#include "app/MainFrame.h"
#include "console/ConsoleFrame.h"
#include "net/ConnectionFile.h"
#include "net/FileNames.h"
#include "net/ServerHosts.h"
#include "net/qt/Kordane2Doc.h"

namespace {

QString Local(const std::string& path) {
    return QString::fromLocal8Bit(path.c_str());
}

std::string Absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath().toLocal8Bit().toStdString();
}

}  // namespace

CConnectionFiles::CConnectionFiles(CKordane2App& app, CProfile& profile)
    : QObject(nullptr), m_app(app), m_recent(profile) {}

CKordane2Doc* CConnectionFiles::Start(CKordane2Doc& doc, const QString& title) {
    CConsoleFrame* console = m_app.MainFrame()->AddConnection(doc, title);
    console->SetBeforeClose([this, &doc] { return AskSaveModified(doc); });
    return &doc;
}

CKordane2Doc* CConnectionFiles::NewConnection() {
    ConnectionParams params;
    params.host = ServerHosts::kDefaultHost;
    params.port =
        ServerHosts::kBasePort + static_cast<int>(QRandomGenerator::global()->bounded(100));
    params.savePassword = true;
    bool modified = false;
    if (!m_app.AskLogin(params, modified)) return nullptr;

    CKordane2Doc& doc = m_app.NewDocument();
    doc.Params() = params;
    doc.SetModified(modified);
    QString title = QStringLiteral("Connection%1").arg(++m_untitled);
    if (params.savePassword && !params.handle.empty()) {
        const std::string name = HandleFileName(params.handle, kExtension);
        if (!name.empty() && WriteTo(doc, Absolute(QString::fromStdString(name)))) {
            title = QString::fromStdString(name);
        }
    }
    return Start(doc, title);
}

CKordane2Doc* CConnectionFiles::OpenWithDialog() {
    const QString path = m_app.ChooseFile(CKordane2App::FileChoice::OpenConnection, QString());
    if (path.isEmpty()) return nullptr;
    return Open(path.toLocal8Bit().toStdString());
}

CKordane2Doc* CConnectionFiles::OpenRecent(size_t index) {
    if (index >= m_recent.Entries().size()) return nullptr;
    const std::string path = m_recent.Entries()[index];
    return Open(path);
}

CKordane2Doc* CConnectionFiles::Open(const std::string& path) {
    ConnectionFile::ReadResult file = ConnectionFile::Read(path);
    const std::string absolute = Absolute(Local(path));
    if (!file) {
        m_app.Tell(QStringLiteral("Cannot open the connection file %1: %2.")
                       .arg(Local(path), QString::fromStdString(file.error)));
        m_recent.Remove(absolute);
        return nullptr;
    }
    ConnectionParams params = *file.params;
    bool modified = false;
    if (!m_app.AskLogin(params, modified)) return nullptr;
    CKordane2Doc& doc = m_app.NewDocument();
    doc.Params() = params;
    doc.SetFilePath(absolute);
    doc.SetModified(modified);
    m_recent.Add(absolute);
    return Start(doc, QFileInfo(Local(path)).fileName());
}

bool CConnectionFiles::WriteTo(CKordane2Doc& doc, const std::string& path) {
    if (!ConnectionFile::Write(path, doc.Params())) {
        m_app.Tell(QStringLiteral("Cannot save the connection file %1.").arg(Local(path)));
        return false;
    }
    doc.SetFilePath(path);
    doc.SetModified(false);
    m_recent.Add(path);
    return true;
}

bool CConnectionFiles::Save(CKordane2Doc& doc) {
    if (doc.FilePath().empty()) return SaveAs(doc);
    return WriteTo(doc, doc.FilePath());
}

bool CConnectionFiles::SaveAs(CKordane2Doc& doc) {
    QString suggested = Local(doc.FilePath());
    if (suggested.isEmpty()) {
        suggested = QString::fromStdString(HandleFileName(doc.Params().handle, kExtension));
    }
    QString path = m_app.ChooseFile(CKordane2App::FileChoice::SaveConnection, suggested);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".kd2");
    return WriteTo(doc, Absolute(path));
}

void CConnectionFiles::SetLogFile(CKordane2Doc& doc) {
    const QString current = QString::fromStdString(doc.Params().gameLogFile);
    QString path = m_app.ChooseFile(CKordane2App::FileChoice::LogFile, current);
    if (path.isEmpty() || path.size() > kMaxLogFileName || path == current) return;
    doc.Params().gameLogFile = path.toStdString();
    doc.SetModified(true);
}

bool CConnectionFiles::AskSaveModified(CKordane2Doc& doc) {
    if (!doc.IsModified()) return true;
    const QString name = doc.FilePath().empty() ? QStringLiteral("the connection")
                                                : QFileInfo(Local(doc.FilePath())).fileName();
    switch (m_app.AskSave(QStringLiteral("Save changes to %1?").arg(name))) {
        case CKordane2App::SaveAnswer::Yes:
            return Save(doc);
        case CKordane2App::SaveAnswer::No:
            return true;
        case CKordane2App::SaveAnswer::Cancel:
            break;
    }
    return false;
}
