// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/qt/PluginHost.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>

#include "Version.h"
#include "net/PluginRecords.h"
#include "net/ServerMessage.h"

CPluginHost::Programs& CPluginHost::Application() {
    static Programs programs;
    return programs;
}

CPluginHost::CPluginHost(IPluginOwner& owner, Programs& programs, QObject* parent)
    : QObject(parent), m_owner(owner), m_programs(programs), m_launcher(&StartDetached) {}

CPluginHost::~CPluginHost() {
    const std::string closing = *PluginRecords::Encode(PluginRecordType::Closing, {});
    for (auto& plugin : m_plugins) {
        if (plugin->send.IsOpen()) Write(*plugin, closing);
    }
}

std::string CPluginHost::Prefix() const {
    if (!m_programs.prefix.empty()) return m_programs.prefix;
    return "Kordane2-" + std::to_string(getpid());
}

bool CPluginHost::StartDetached(const QString& path, const QProcessEnvironment& environment,
                                qint64* pid) {
    // Detached: the plug-in outlives its connection and is told to stop with
    // record 1003, never killed. It gets no input and no output of ours;
    // its error output stays visible for its author.
    QProcess process;
    process.setProgram(path);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    return process.startDetached(pid);
}

std::string CPluginHost::FileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file)) return {};
    return hash.result().toHex().toStdString();
}

std::optional<std::string> CPluginHost::Launch() {
    if (m_document < 0) m_document = m_programs.documents++;
    m_plugins.clear();
    m_readyReported = false;
    for (int i = 0; i < Count(); ++i) {
        m_plugins.push_back(std::make_unique<Plugin>());
        if (!LaunchOne(i)) return "Error launching PlugIn: " + m_programs.paths[i];
    }
    return std::nullopt;
}

bool CPluginHost::LaunchOne(int index) {
    Plugin& plugin = *m_plugins[static_cast<size_t>(index)];
    const std::string& path = m_programs.paths[static_cast<size_t>(index)];
    plugin.slot.Reset();
    m_owner.EchoPluginText("=== Launching " + path + "\n");
    // The pipes exist before the program starts: it finds them through its
    // environment as soon as it runs.
    const std::string prefix = Prefix();
    const int receive = CPluginSlot::ReceivePipe(Count(), m_document, index);
    const int send = CPluginSlot::SendPipe(Count(), m_document, index);
    if (!plugin.receive.Create(prefix, receive, CIpcPipe::kCapacity,
                               static_cast<uint32_t>(getpid())) ||
        !plugin.send.Create(prefix, send, CIpcPipe::kCapacity, 0)) {
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kEnvPrefix, QString::fromStdString(prefix));
    environment.insert(kEnvToClient, QString::number(receive));
    environment.insert(kEnvFromClient, QString::number(send));
    qint64 pid = 0;
    const QString program = QString::fromStdString(path);
    if (!m_launcher(program, environment, &pid)) {
        plugin.receive.Close();
        plugin.send.Close();
        return false;
    }
    plugin.send.SetNotify(static_cast<uint32_t>(pid));
    plugin.notifier =
        std::make_unique<QSocketNotifier>(plugin.receive.WakeupFd(), QSocketNotifier::Read);
    connect(plugin.notifier.get(), &QSocketNotifier::activated, this,
            [this, index] { OnPluginData(index); });
    Write(plugin, PluginRecords::Text(PluginRecordType::Interface, kVersionText));
    plugin.slot.SetDigest(FileDigest(program));
    return true;
}

void CPluginHost::Write(Plugin& plugin, const std::string& record) {
    // A record that does not fit is dropped: the plug-in is behind, and the
    // connection must not wait for it.
    plugin.send.Write(record.data(), static_cast<int>(record.size()));
}

void CPluginHost::OnPluginData(int index) {
    if (index < 0 || index >= static_cast<int>(m_plugins.size())) return;
    Plugin& plugin = *m_plugins[static_cast<size_t>(index)];
    if (!plugin.receive.IsOpen()) return;
    plugin.receive.DrainWakeups();
    std::string bytes(static_cast<size_t>(plugin.receive.Capacity()), '\0');
    const int count = plugin.receive.Read(bytes.data(), -1);
    if (count <= 0) return;
    bytes.resize(static_cast<size_t>(count));
    bool checkReady = false;
    for (const PluginRecord& record : PluginRecords::Parse(bytes)) {
        const CPluginSlot::Outcome outcome = plugin.slot.Apply(record);
        switch (outcome.effect) {
            case CPluginSlot::Effect::Named:
                m_owner.EchoPluginText("=== Successfully launched " + outcome.text + "\n");
                checkReady = true;
                break;
            case CPluginSlot::Effect::Declared:
                checkReady = true;
                break;
            case CPluginSlot::Effect::SendToServer:
                m_owner.SendPluginCommand(outcome.text);
                break;
            case CPluginSlot::Effect::ShowText:
                m_owner.EchoPluginText(outcome.text);
                break;
            case CPluginSlot::Effect::None:
                break;
        }
    }
    if (!checkReady || m_readyReported || static_cast<int>(m_plugins.size()) != Count()) return;
    for (const auto& p : m_plugins) {
        if (!p->slot.Ready()) return;
    }
    m_readyReported = true;
    m_owner.PluginsReady();
}

void CPluginHost::Forward(const CServerMessage& message) {
    if (m_plugins.empty()) return;
    const int playing = m_owner.GamesPlaying();
    const bool computer = m_owner.ComputerAccount();
    std::optional<std::string> record;
    for (auto& plugin : m_plugins) {
        if (!plugin->send.IsOpen() || !plugin->slot.Receives(message, playing, computer)) continue;
        if (!record) record = PluginRecords::Forward(message);
        if (!record) return;
        Write(*plugin, *record);
    }
}

void CPluginHost::Authenticate() {
    for (size_t i = 0; i < m_plugins.size(); ++i) {
        m_owner.SendClientCommand(m_plugins[i]->slot.AuthenticateLine(static_cast<int>(i)));
    }
}

void CPluginHost::OnAuthResult(int index, std::string_view text) {
    if (index < 0 || index >= static_cast<int>(m_plugins.size())) return;
    CPluginSlot& slot = m_plugins[static_cast<size_t>(index)]->slot;
    const char* line =
        slot.ApplyAuthResult(text) ? "Plugin authenticated: " : "Plugin authentication failed: ";
    m_owner.EchoPluginText(line + slot.Name() + ".\n");
}

std::vector<std::string> CPluginHost::Names() const {
    std::vector<std::string> names;
    for (const auto& plugin : m_plugins) names.push_back(plugin->slot.Name());
    return names;
}

const CPluginSlot* CPluginHost::Slot(int index) const {
    if (index < 0 || index >= static_cast<int>(m_plugins.size())) return nullptr;
    return &m_plugins[static_cast<size_t>(index)]->slot;
}
