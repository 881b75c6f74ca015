// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/IpcPipe.h"
#include "net/PluginSlot.h"

class CServerMessage;
class QSocketNotifier;

// What the plug-ins of a connection need from the connection document.
class IPluginOwner {
  public:
    virtual ~IPluginOwner() = default;
    // A line in the main console, after what is already there.
    virtual void EchoPluginText(std::string_view text) = 0;
    // A plug-in's command, as it stands.
    virtual void SendPluginCommand(std::string_view text) = 0;
    // A line of the client's own (the authentication requests).
    virtual void SendClientCommand(std::string_view text) = 0;
    // Every plug-in has named and declared itself.
    virtual void PluginsReady() = 0;
    virtual int GamesPlaying() const = 0;
    virtual bool ComputerAccount() const = 0;
};

// The plug-ins of one connection document: starts a copy of every plug-in
// program, makes its two pipes, reads what it sends, forwards to it the
// server messages it subscribed to, and asks the server to approve it.
//
// Application-wide: the programs named on the command line and the count of
// documents that launched plug-ins so far, which numbers their pipes. The
// pipes' names start with "Kordane2-<process id>" so that two clients on one
// machine never share a ring.
class CPluginHost : public QObject {
    Q_OBJECT
  public:
    struct Programs {
        std::vector<std::string> paths;
        int documents = 0;   // documents that have launched, in launch order
        std::string prefix;  // empty: "Kordane2-<pid>"
    };
    static Programs& Application();

    // Starts `path` with `environment`; stores its process id in `pid`.
    using Launcher = std::function<bool(const QString& path, const QProcessEnvironment& environment,
                                        qint64* pid)>;

    explicit CPluginHost(IPluginOwner& owner, Programs& programs = Application(),
                         QObject* parent = nullptr);
    // Tells every plug-in that the connection goes (record 1003).
    ~CPluginHost() override;

    // The environment that tells a plug-in where its pipes are.
    static constexpr const char* kEnvPrefix = "KORDANE_PLUGIN_PREFIX";
    static constexpr const char* kEnvToClient = "KORDANE_PLUGIN_TO_CLIENT";
    static constexpr const char* kEnvFromClient = "KORDANE_PLUGIN_FROM_CLIENT";

    int Count() const { return static_cast<int>(m_programs.paths.size()); }
    void SetLauncher(Launcher launcher) { m_launcher = std::move(launcher); }

    // Starts every plug-in; on failure the text of the message box to show
    // ("Error launching PlugIn: " and the path), later plug-ins not started.
    std::optional<std::string> Launch();
    // Reads everything plug-in `index` has sent.
    void OnPluginData(int index);
    // Sees every server message first; never keeps it.
    void Forward(const CServerMessage& message);
    void Authenticate();
    // Datagram 122.
    void OnAuthResult(int index, std::string_view text);
    // Names for the interface line, in plug-in order.
    std::vector<std::string> Names() const;
    const CPluginSlot* Slot(int index) const;
    std::string Prefix() const;

    // RFC 1321 digest of a file, 32 lower-case hex digits; empty when the
    // file cannot be read.
    static std::string FileDigest(const QString& path);

  private:
    struct Plugin {
        CPluginSlot slot;
        CIpcPipe receive;  // the plug-in writes, we read
        CIpcPipe send;     // we write, the plug-in reads
        // Last: it watches a descriptor of `receive`.
        std::unique_ptr<QSocketNotifier> notifier;
    };
    bool LaunchOne(int index);
    void Write(Plugin& plugin, const std::string& record);
    static bool StartDetached(const QString& path, const QProcessEnvironment& environment,
                              qint64* pid);

    IPluginOwner& m_owner;
    Programs& m_programs;
    Launcher m_launcher;
    int m_document = -1;
    // The connection starts once; a plug-in that names or declares itself
    // again later must not restart it.
    bool m_readyReported = false;
    std::vector<std::unique_ptr<Plugin>> m_plugins;
};
