// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/Diagnostics.h"

#include <utility>

Diagnostics::Sink& Diagnostics::CurrentSink() {
    static Sink sink;
    return sink;
}

void Diagnostics::SetSink(Sink sink) {
    CurrentSink() = std::move(sink);
}

void Diagnostics::Write(std::string_view text) {
    const Sink& sink = CurrentSink();
    if (sink) sink(text);
}
