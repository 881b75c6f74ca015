// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as the "Text Colors" values: the channel list, a colour
// word and the thirteen font numbers. Whatever reads must write back to the
// same values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/TextStyles.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const auto channels = CTextStyles::ParseChannels(bytes);
    Check(CTextStyles::ParseChannels(CTextStyles::FormatChannels(channels)) == channels);

    if (const auto word = CTextStyles::ParseColourWord(bytes)) {
        Check(CTextStyles::ParseColourWord(CTextStyles::FormatColourWord(*word)) == word);
    }

    const size_t split = size % 17;
    const std::string name = bytes.substr(0, split);
    if (const auto font = CTextStyles::ParseLogFont(bytes.substr(split), name)) {
        Check(font->faceName.size() <= CTextStyles::kFaceNameMax);
        const auto again =
            CTextStyles::ParseLogFont(CTextStyles::FormatLogFont(*font), font->faceName);
        Check(again && *again == *font);
    }
    return 0;
}
