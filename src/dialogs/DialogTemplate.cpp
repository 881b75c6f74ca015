// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/DialogTemplate.h"

#include <algorithm>

namespace {

// A bounds-checked little-endian reader over one resource's data. After the
// first failed read every later read fails too, so a parse can check once.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Ok() const { return m_ok; }
    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_ok ? m_bytes.size() - m_pos : 0; }

    std::uint8_t U8() { return Need(1) ? m_bytes[m_pos++] : 0; }
    std::uint16_t U16() {
        if (!Need(2)) return 0;
        const auto v = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | (std::uint32_t{U16()} << 16);
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }

    std::u16string Text() {
        std::u16string s;
        for (std::uint16_t c = U16(); m_ok && c != 0; c = U16()) s += static_cast<char16_t>(c);
        return s;
    }
    SResourceId Id() {
        SResourceId id;
        const std::uint16_t first = U16();
        if (!m_ok || first == 0) return id;
        if (first == 0xFFFF) {
            id.kind = SResourceId::Kind::Ordinal;
            id.ordinal = U16();
            return id;
        }
        id.kind = SResourceId::Kind::Text;
        id.text += static_cast<char16_t>(first);
        id.text += Text();
        return id;
    }
    std::vector<std::uint8_t> Bytes(std::size_t n) {
        if (!Need(n)) return {};
        std::vector<std::uint8_t> v(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos),
                                    m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos + n));
        m_pos += n;
        return v;
    }
    void AlignTo4() {
        const std::size_t aligned = (m_pos + 3) & ~std::size_t{3};
        // Alignment padding may be absent after the last field of the data.
        m_pos = aligned <= m_bytes.size() ? aligned : m_bytes.size();
    }

  private:
    bool Need(std::size_t n) {
        if (!m_ok || m_bytes.size() - m_pos < n) m_ok = false;
        return m_ok;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

// The fewest bytes a control can take: classic fixed part (18), an empty
// class and title (2 each) and the creation data count (2).
constexpr std::size_t kMinClassicItem = 24;
// Extended: fixed part 24, class 2, title 2, count 2.
constexpr std::size_t kMinExtendedItem = 30;

constexpr std::uint16_t kOldListBoxAddString = 0x0401;
constexpr std::uint16_t kOldComboBoxAddString = 0x0403;

bool IsOrdinal(const SResourceId& id, std::uint16_t ordinal) {
    return id.kind == SResourceId::Kind::Ordinal && id.ordinal == ordinal;
}

DialogTemplateError ParseDialog(std::span<const std::uint8_t> data, CDialogTemplate& out) {
    Reader r(data);
    const std::uint16_t version = r.U16();
    const std::uint16_t signature = r.U16();
    out.extended = version == 1 && signature == 0xFFFF;
    if (out.extended) {
        out.helpId = r.U32();
        out.exStyle = r.U32();
        out.style = r.U32();
    } else {
        out.style = version | (std::uint32_t{signature} << 16);
        out.exStyle = r.U32();
    }
    const std::uint16_t count = r.U16();
    out.x = r.I16();
    out.y = r.I16();
    out.cx = r.I16();
    out.cy = r.I16();
    out.menu = r.Id();
    out.windowClass = r.Id();
    out.title = r.Text();
    out.hasFont = (out.style & CDialogTemplate::kStyleSetFont) != 0;
    if (out.hasFont) {
        out.pointSize = r.U16();
        if (out.extended) {
            out.weight = r.U16();
            out.italic = r.U8() != 0;
            out.charset = r.U8();
        }
        out.face = r.Text();
    }
    if (!r.Ok()) return DialogTemplateError::Truncated;
    r.AlignTo4();
    const std::size_t minItem = out.extended ? kMinExtendedItem : kMinClassicItem;
    if (count > r.Remaining() / minItem) return DialogTemplateError::BadItemCount;
    out.items.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        r.AlignTo4();
        SDialogItem item;
        if (out.extended) {
            item.helpId = r.U32();
            item.exStyle = r.U32();
            item.style = r.U32();
        } else {
            item.style = r.U32();
            item.exStyle = r.U32();
        }
        item.x = r.I16();
        item.y = r.I16();
        item.cx = r.I16();
        item.cy = r.I16();
        item.id = out.extended ? r.U32() : r.U16();
        item.windowClass = r.Id();
        item.title = r.Id();
        const std::uint16_t extra = r.U16();
        item.creationData = r.Bytes(extra);
        if (!r.Ok()) return DialogTemplateError::Truncated;
        out.items.push_back(std::move(item));
    }
    return DialogTemplateError::None;
}

DialogTemplateError ParseInit(std::span<const std::uint8_t> data,
                              std::vector<SDialogInitEntry>& out) {
    Reader r(data);
    // The list ends with a zero control id, or with the data.
    while (r.Remaining() >= 2) {
        SDialogInitEntry entry;
        entry.controlId = r.U16();
        if (entry.controlId == 0) break;
        entry.message = r.U16();
        // Older resource files carry the 16-bit system's add-string messages.
        if (entry.message == kOldListBoxAddString)
            entry.message = CDialogTemplate::kListBoxAddString;
        else if (entry.message == kOldComboBoxAddString)
            entry.message = CDialogTemplate::kComboBoxAddString;
        const std::uint32_t length = r.U32();
        if (!r.Ok() || length > r.Remaining()) return DialogTemplateError::BadInitData;
        const std::vector<std::uint8_t> bytes = r.Bytes(length);
        std::size_t n = 0;
        while (n < bytes.size() && bytes[n] != 0) ++n;
        entry.data.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        out.push_back(std::move(entry));
    }
    return DialogTemplateError::None;
}

}  // namespace

DialogTemplateError CDialogTemplate::ReadEntries(std::span<const std::uint8_t> bytes,
                                                 std::vector<SResourceEntry>& out) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::span<const std::uint8_t> rest = bytes.subspan(start);
        // A buffer announced larger than what arrived ends in zeros: no entry.
        // The scan stops at the first non-zero byte, so it stays linear.
        if (std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0; })) break;
        Reader r(rest);
        const std::uint32_t dataSize = r.U32();
        const std::uint32_t headerSize = r.U32();
        SResourceEntry entry;
        entry.type = r.Id();
        entry.name = r.Id();
        if (!r.Ok()) return DialogTemplateError::Truncated;
        if (headerSize < r.Position()) return DialogTemplateError::BadEntryHeader;
        if (headerSize % 4 != 0) return DialogTemplateError::Misaligned;
        if (headerSize > rest.size() || dataSize > rest.size() - headerSize)
            return DialogTemplateError::Truncated;
        entry.dataOffset = start + headerSize;
        entry.dataSize = dataSize;
        // The next entry starts on a 4-byte boundary; its padding must be there.
        const std::size_t padded = (std::size_t{headerSize} + dataSize + 3) & ~std::size_t{3};
        if (padded > rest.size()) return DialogTemplateError::Truncated;
        entry.end = start + padded;
        start = entry.end;
        out.push_back(std::move(entry));
    }
    return DialogTemplateError::None;
}

DialogTemplateError CDialogTemplate::Parse(std::span<const std::uint8_t> bytes,
                                           CDialogTemplate& out) {
    out = CDialogTemplate{};
    std::vector<SResourceEntry> entries;
    if (const DialogTemplateError e = ReadEntries(bytes, entries); e != DialogTemplateError::None)
        return e;
    const SResourceEntry* dialog = nullptr;
    const SResourceEntry* init = nullptr;
    for (const SResourceEntry& entry : entries) {
        if (IsOrdinal(entry.type, kTypeDialog) && dialog == nullptr) dialog = &entry;
        if (IsOrdinal(entry.type, kTypeDialogInit) && init == nullptr) init = &entry;
    }
    if (dialog == nullptr) return DialogTemplateError::NoDialog;
    if (const DialogTemplateError e =
            ParseDialog(bytes.subspan(dialog->dataOffset, dialog->dataSize), out);
        e != DialogTemplateError::None)
        return e;
    if (init != nullptr)
        return ParseInit(bytes.subspan(init->dataOffset, init->dataSize), out.initEntries);
    return DialogTemplateError::None;
}

const char* CDialogTemplate::ErrorText(DialogTemplateError error) {
    switch (error) {
        case DialogTemplateError::None:
            return "no error";
        case DialogTemplateError::Truncated:
            return "dialog template is cut short";
        case DialogTemplateError::BadEntryHeader:
            return "resource header too small";
        case DialogTemplateError::Misaligned:
            return "resource header not on a 4-byte boundary";
        case DialogTemplateError::NoDialog:
            return "no dialog template";
        case DialogTemplateError::BadItemCount:
            return "more controls than the template holds";
        case DialogTemplateError::BadInitData:
            return "list and combo box strings cut short";
    }
    return "unknown error";
}
