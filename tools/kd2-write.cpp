// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-kd2-write: writes a ".kd2" connection file from the command line, so
// scripts (the demo run, tests) can point the client at a server. With
// --show it prints an existing file's fields instead (never the password).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/ConnectionFile.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: kd-kd2-write FILE --host HOST --port N [--handle NAME]\n"
                 "                    [--password PASSWORD] [--log PGNFILE]\n"
                 "       kd-kd2-write --show FILE\n");
    return 2;
}

int Show(const char* path) {
    ConnectionFile::ReadResult r = ConnectionFile::Read(path);
    if (!r) {
        std::fprintf(stderr, "kd-kd2-write: %s: %s\n", path, r.error.c_str());
        return 1;
    }
    std::printf("host=%s\nport=%d\nhandle=%s\nsavePassword=%d\ngameLogFile=%s\n",
                r.params->host.c_str(), r.params->port, r.params->handle.c_str(),
                r.params->savePassword ? 1 : 0, r.params->gameLogFile.c_str());
    return 0;
}

bool ParsePort(const char* text, int& port) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 65535) return false;
    port = static_cast<int>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--show") == 0) return Show(argv[2]);
    if (argc < 2 || argv[1][0] == '-') return Usage();
    const char* path = argv[1];
    ConnectionParams params;
    bool havePort = false;
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc) return Usage();
        const std::string option = argv[i];
        const char* value = argv[i + 1];
        if (option == "--host") {
            params.host = value;
        } else if (option == "--port") {
            if (!ParsePort(value, params.port)) {
                std::fprintf(stderr, "kd-kd2-write: bad port: %s\n", value);
                return 2;
            }
            havePort = true;
        } else if (option == "--handle") {
            params.handle = value;
        } else if (option == "--password") {
            params.password = value;
            params.savePassword = !params.password.empty();
        } else if (option == "--log") {
            params.gameLogFile = value;
        } else {
            return Usage();
        }
    }
    if (params.host.empty() || !havePort) return Usage();
    if (!ConnectionFile::Write(path, params)) {
        std::fprintf(stderr, "kd-kd2-write: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
