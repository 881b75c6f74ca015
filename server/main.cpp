// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// vcx-server: the VCX test server, so that the client can be run and tested
// end to end on one machine. See docs/server.md.
#include <csignal>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "AccountStore.h"
#include "EngineProcess.h"
#include "ServerCore.h"
#include "ServerOptions.h"
#include "SocketServer.h"
#include "Transcript.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnStopSignal(int) {
    g_stop = 1;
}

void InstallSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: poll() must return so the loop sees the flag.
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<ServerOptions> options =
        ServerOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "vcx-server: %s\n%s", error.c_str(), ServerOptions::Usage());
        return 2;
    }
    AccountStore accounts;
    if (!options->accountsPath.empty()) {
        std::optional<AccountStore> loaded = AccountStore::LoadFile(options->accountsPath, error);
        if (!loaded) {
            std::fprintf(stderr, "vcx-server: accounts: %s\n", error.c_str());
            return 1;
        }
        accounts = std::move(*loaded);
    }
    Transcript transcript;
    if (!options->transcriptPath.empty() && !transcript.Open(options->transcriptPath)) {
        std::fprintf(stderr, "vcx-server: cannot write transcript %s\n",
                     options->transcriptPath.c_str());
        return 1;
    }
    ServerCore::Options coreOptions;
    coreOptions.chronelFail = options->chronelFail;
    coreOptions.passwordSeed = std::random_device{}();
    ServerCore core(accounts, transcript, coreOptions);
    if (options->computer) {
        const std::string engine = options->enginePath.empty()
                                       ? EngineProcess::Find({"stockfish", "fairy-stockfish"})
                                       : EngineProcess::Usable(options->enginePath);
        if (engine.empty()) {
            std::fprintf(stderr,
                         "vcx-server: no stockfish found; the computer player Botty stays away\n");
        } else {
            // Only fairy-stockfish knows crazyhouse.
            const std::string variantEngine = EngineProcess::Find({"fairy-stockfish"});
            if (variantEngine.empty())
                std::fprintf(stderr,
                             "vcx-server: no fairy-stockfish found; Botty declines "
                             "crazyhouse games\n");
            core.StartComputerPlayer("Botty", engine, variantEngine);
        }
    }
    SocketServer server(core);
    if (!server.Listen(options->port, error)) {
        std::fprintf(stderr, "vcx-server: %s\n", error.c_str());
        return 1;
    }
    InstallSignals();
    std::printf("listening on 127.0.0.1:%d\n", server.Port());
    std::fflush(stdout);
    server.Run(g_stop);
    return 0;
}
