// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/SoundEvent.h"

class CKordane2Doc;
class CMainFrame;
class CProfile;
class CSoundPlayer;
class QObject;
class QWidget;

// The program's own start-up and its process-wide switches: it fixes the
// settings file, creates the main frame, reads the command line and opens the
// first connection. It lives for the whole run, after QApplication and
// before everything else. It owns the main frame and every connection
// document; each document owns its windows inside the main frame.
class CKordane2App {
  public:
    static constexpr const char* kSettingsFile = "settings.ini";
    // Used instead when the current folder is unusable.
    static constexpr const char* kBareProfileName = "Kordane2";
    static constexpr size_t kMaxFolderLength = 253;

    CKordane2App();
    ~CKordane2App();

    // The settings file for a current folder (nullopt: it could not be read).
    static std::string ProfileName(const std::optional<std::string>& currentFolder);
    // Where a profile name is kept on disk: a bare name lives in the user's
    // configuration folder, as the classic functions kept it in the system's.
    static std::string ProfilePath(const std::string& profileName);
    static std::optional<std::string> CurrentFolder();

    // The "DNS Cache" entries of a first run, for the entries not yet there.
    static void WriteDnsDefaults(CProfile& profile);

    // Start-up in order; false when the program cannot go on.
    bool InitInstance(const std::vector<std::string>& args);

    // A new connection document, owned by the application until it closes
    // itself; its console is not open yet.
    CKordane2Doc& NewDocument();
    // The open connections, oldest first.
    std::vector<CKordane2Doc*> Documents() const;

    // Opens a connection file and connects at once; false (after telling the
    // user) when the file cannot be read.
    bool OpenConnectionFile(const std::string& path);
    // A connection with no server: the local board.
    void OpenLocalConnection();

    bool Debug() const { return m_debug; }
    bool SoundsEnabled() const;
    // Every window's sounds go through here: the "&Sounds" switch, then the
    // player's own rules.
    void PlaySound(SoundEvent event);
    CSoundPlayer& Sounds() const { return *m_sounds; }
    const std::vector<std::string>& Plugins() const { return m_plugins; }
    CProfile& Profile() const { return *m_profile; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    // Every message box of the application object goes through here; tests
    // replace it to see what the user would have been shown.
    void SetMessageBox(std::function<void(const QString&)> show) { m_messageBox = std::move(show); }

  private:
    static void ShowMessageBox(const QString& text, QWidget* parent);

    bool m_debug = false;
    std::unique_ptr<CSoundPlayer> m_sounds;
    std::vector<std::string> m_plugins;
    std::unique_ptr<CProfile> m_profile;
    std::unique_ptr<CMainFrame> m_mainFrame;
    // Parent of every connection document. Declared after the main frame so
    // that the documents, and with them their windows, go first.
    std::unique_ptr<QObject> m_documents;
    std::function<void(const QString&)> m_messageBox;
    int m_untitledCount = 0;
};
