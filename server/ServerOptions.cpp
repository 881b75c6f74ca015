// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ServerOptions.h"

#include <charconv>
#include <string_view>

namespace {

// "--name=value" or "--name value"; advances `i` past what it used.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string_view name,
               std::string& value, bool& matched, std::string& error) {
    const std::string_view arg = args[i];
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= args.size()) {
            error = std::string(name) + " needs a value";
            return false;
        }
        value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        matched = true;
        value = std::string(arg.substr(name.size() + 1));
        return true;
    }
    return true;
}

}  // namespace

std::optional<ServerOptions> ServerOptions::Parse(const std::vector<std::string>& args,
                                                  std::string& error) {
    ServerOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        bool matched = false;
        if (args[i] == "--no-computer") {
            options.computer = false;
            continue;
        }
        if (!TakeValue(args, i, "--engine", value, matched, error)) return std::nullopt;
        if (matched) {
            options.enginePath = value;
            continue;
        }
        if (!TakeValue(args, i, "--port", value, matched, error)) return std::nullopt;
        if (matched) {
            int port = -1;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), port);
            if (value.empty() || ec != std::errc() || end != value.data() + value.size() ||
                port < 0 || port > 65535) {
                error = "--port: \"" + value + "\" is not a port number (0 to 65535)";
                return std::nullopt;
            }
            options.port = port;
            continue;
        }
        if (!TakeValue(args, i, "--accounts", value, matched, error)) return std::nullopt;
        if (matched) {
            options.accountsPath = value;
            continue;
        }
        if (!TakeValue(args, i, "--transcript", value, matched, error)) return std::nullopt;
        if (matched) {
            options.transcriptPath = value;
            continue;
        }
        if (!TakeValue(args, i, "--chronel-fail", value, matched, error)) return std::nullopt;
        if (matched) {
            if (value == "step1") {
                options.chronelFail = ChronelServerSession::FailAt::Step1;
            } else if (value == "check") {
                options.chronelFail = ChronelServerSession::FailAt::CheckString;
            } else {
                error = "--chronel-fail: expected step1 or check, not \"" + value + "\"";
                return std::nullopt;
            }
            continue;
        }
        error = "unknown argument \"" + args[i] + "\"";
        return std::nullopt;
    }
    if (options.port < 0) {
        error = "--port is required";
        return std::nullopt;
    }
    return options;
}

const char* ServerOptions::Usage() {
    return "usage: vcx-server --port N [--accounts FILE] [--transcript FILE] "
           "[--chronel-fail=step1|check] [--no-computer] [--engine FILE]\n";
}
