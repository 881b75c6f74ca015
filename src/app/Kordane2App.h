// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/ConnectionParams.h"
#include "net/SoundEvent.h"

class CConnectionFiles;
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

    // The user's answers, each replaceable so that tests can give them.
    // Login: false is Cancel; `modified` says the parameters changed.
    using LoginPrompt = std::function<bool(ConnectionParams& params, bool& modified)>;
    enum class FileChoice { OpenConnection, SaveConnection, LogFile };
    using FileChooser = std::function<QString(FileChoice choice, const QString& current)>;
    enum class SaveAnswer { Yes, No, Cancel };
    using SaveQuestion = std::function<SaveAnswer(const QString& text)>;
    void SetLoginPrompt(LoginPrompt prompt) { m_loginPrompt = std::move(prompt); }
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    void SetSaveQuestion(SaveQuestion ask) { m_saveQuestion = std::move(ask); }
    bool AskLogin(ConnectionParams& params, bool& modified);
    QString ChooseFile(FileChoice choice, const QString& current);
    SaveAnswer AskSave(const QString& text);
    // A message box over the main window.
    void Tell(const QString& text) { m_messageBox(text); }

    // Start-up in order; false when the program cannot go on.
    bool InitInstance(const std::vector<std::string>& args);

    // A new connection document, owned by the application until it closes
    // itself; its console is not open yet.
    CKordane2Doc& NewDocument();
    // The open connections, oldest first.
    std::vector<CKordane2Doc*> Documents() const;

    // Opens a connection file through the login dialog; false when it
    // cannot be read (the user is told) or the dialog was cancelled.
    bool OpenConnectionFile(const std::string& path);
    CConnectionFiles& Files() const { return *m_files; }

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
    // Start-up steps 8 and 9, after the tip of the day has been closed.
    void OpenFirstConnection(const std::vector<std::string>& args);

    bool m_debug = false;
    std::unique_ptr<CSoundPlayer> m_sounds;
    std::vector<std::string> m_plugins;
    std::unique_ptr<CProfile> m_profile;
    // Before the frame and the documents: their windows call it to the end.
    std::unique_ptr<CConnectionFiles> m_files;
    std::unique_ptr<CMainFrame> m_mainFrame;
    // Parent of every connection document. Declared after the main frame so
    // that the documents, and with them their windows, go first.
    std::unique_ptr<QObject> m_documents;
    std::function<void(const QString&)> m_messageBox;
    LoginPrompt m_loginPrompt;
    FileChooser m_fileChooser;
    SaveQuestion m_saveQuestion;
};
