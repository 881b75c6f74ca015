// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "app/RecentFiles.h"

class CKordane2App;
class CKordane2Doc;
class CProfile;

// New, opened and saved connections: File/New asks the login dialog for a
// fresh connection and saves it as "<handle>.kd2"; File/Open and the recent
// files read a ".kd2" file and ask the login dialog again; Save and Save As
// write the parameters back. The application owns one; the documents it
// makes belong to the application as every other document does.
class CConnectionFiles : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kExtension = "kd2";
    static constexpr int kMaxLogFileName = 300;

    CConnectionFiles(CKordane2App& app, CProfile& profile);

    // Each returns the new connection, or nullptr when the user cancelled or
    // the file could not be read (the user has then been told).
    CKordane2Doc* NewConnection();
    CKordane2Doc* OpenWithDialog();
    CKordane2Doc* Open(const std::string& path);
    CKordane2Doc* OpenRecent(size_t index);

    bool Save(CKordane2Doc& doc);
    bool SaveAs(CKordane2Doc& doc);
    // "Se&t Log File...": the PGN file finished games are appended to.
    void SetLogFile(CKordane2Doc& doc);
    // Before a modified connection closes: false keeps it open.
    bool AskSaveModified(CKordane2Doc& doc);

    const CRecentFiles& Recent() const { return m_recent; }

  private:
    CKordane2Doc* Start(CKordane2Doc& doc, const QString& title);
    bool WriteTo(CKordane2Doc& doc, const std::string& path);

    CKordane2App& m_app;
    CRecentFiles m_recent;
    int m_untitled = 0;
};
