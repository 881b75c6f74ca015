// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A server dialog's datagrams as the client takes them, without the
// widgets: the size of DG_DIALOG_BEGIN, pieces of DG_DIALOG_DATA, values of
// DG_DIALOG_DEFAULT, then the template parsed from the buffer and an answer
// formatted from the stored values. The input is split at 0x00 bytes into
// fields: the size, then pairs of kind and text ("d" data, "v" a value
// "<control> <type> <value>", "a" an answer template).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/DialogAnswer.h"
#include "dialogs/DialogBytes.h"
#include "dialogs/DialogTemplate.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::string_view> Split(std::string_view input) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t zero = input.find('\0');
        fields.push_back(input.substr(0, zero));
        if (zero == std::string_view::npos) return fields;
        input.remove_prefix(zero + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> fields =
        Split(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::uint32_t announced = CDialogBytes::AnnouncedSize(fields[0]);
    CDialogBytes bytes(announced);
    Check(bytes.TooLarge() == (announced > CDialogBytes::kMaxTemplateSize));
    // Only small buffers: the size is the fuzzer's to choose, the memory not.
    if (bytes.Buffer().size() > (1u << 16)) return 0;
    Check(bytes.Buffer().size() % 4 == 0 && bytes.Buffer().size() >= bytes.TemplateSize());

    SDialogValues values;
    std::string answerTemplate;
    for (std::size_t i = 1; i + 1 < fields.size(); i += 2) {
        const std::string_view kind = fields[i];
        const std::string_view text = fields[i + 1];
        if (kind == "d") {
            const std::size_t before = bytes.WritePosition();
            const CDialogBytes::AppendResult r = bytes.Append(text);
            Check(bytes.WritePosition() - before + r.dropped == (text.size() + 1) / 2);
            Check(bytes.WritePosition() <= bytes.Buffer().size());
        } else if (kind == "v") {
            // "<control> <type> <value>", the control number as the
            // datagram's field would give it.
            const std::size_t space = text.find(' ');
            const std::string_view number = text.substr(0, space);
            int control = 0;
            for (const char c : number.substr(0, 6))
                control = c >= '0' && c <= '9' ? control * 10 + (c - '0') : control;
            if (!number.empty() && number.front() == '-') control = -control;
            const std::string_view rest =
                space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
            const std::size_t split = std::min(rest.find(' '), rest.size());
            const DialogDefaultStatus status =
                SetDialogDefault(values, control, rest.substr(0, split),
                                 rest.substr(std::min(split + 1, rest.size())));
            if (status == DialogDefaultStatus::Stored)
                Check(control >= 0 && control <= kDialogMaxControl);
        } else if (kind == "a") {
            answerTemplate = text;
        }
    }
    Check(values.texts.size() <= kDialogMaxControl + 1u);

    CDialogTemplate dialog;
    if (CDialogTemplate::Parse(bytes.Buffer(), dialog) == DialogTemplateError::None)
        Check(dialog.items.size() * 18 <= bytes.Buffer().size());
    const SDialogAnswer answer = FormatDialogAnswer(answerTemplate, values);
    Check(std::count(answer.text.begin(), answer.text.end(), '\n') <=
          std::count(answerTemplate.begin(), answerTemplate.end(), '\n'));
    return 0;
}
