// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as an extra console's stored values and as what the user
// types into "Open Chat Window". What is read must write back to the same
// values, and every helper line read must survive being stored again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/ChatText.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::vector<int> channels = ChatText::ParseChannelList(bytes);
    Check(ChatText::ParseChannelList(ChatText::FormatChannelList(channels)) == channels);

    if (const auto flags = ChatText::ParseIntercepts(bytes)) {
        Check(ChatText::ParseIntercepts(ChatText::FormatIntercepts(*flags)) == flags);
    }

    const std::vector<std::string> lines = ChatText::SplitHelperLines(bytes);
    for (const std::string& line : lines) Check(line.find('\n') == std::string::npos);

    const size_t half = bytes.size() / 2;
    const ChatText::ChatConsolePlan plan =
        ChatText::PlanChatConsole({true, true, true}, std::string_view(bytes).substr(0, half),
                                  std::string_view(bytes).substr(half));
    Check(!plan.helpers.empty() && !plan.title.empty());
    for (const auto& run : ChatText::ChannelRuns(bytes)) {
        Check(!run.digits.empty() && run.number >= 0);
    }
    return 0;
}
