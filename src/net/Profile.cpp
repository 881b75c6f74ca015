// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The profile is re-read on every call instead of cached: the file is a few
// kilobytes, settings are read in bursts at start-up and written one key at a
// time, and a fresh read can never disagree with another writer of the same
// file (a second CProfile on the same path, or the user's editor between runs).
#include "net/Profile.h"

#include <optional>
#include <utility>
#include <vector>

#include "net/AtomicFile.h"
#include "net/TextUtil.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trim(std::string_view s) {
    size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

// One physical line of the file, kept verbatim so that whatever we do not
// understand is written back unchanged. Names are kept as offsets into the
// line, so lines can move around in their vector.
struct Line {
    enum Kind { Other, Section, Key };
    explicit Line(std::string text) : raw(std::move(text)) { Classify(); }

    std::string_view Name() const { return std::string_view(raw).substr(nameAt, nameLength); }
    std::string_view Value() const { return std::string_view(raw).substr(valueAt, valueLength); }

    std::string raw;
    Kind kind = Other;

  private:
    void Mark(std::string_view whole, std::string_view name, std::string_view value) {
        nameAt = static_cast<size_t>(name.data() - whole.data());
        nameLength = name.size();
        valueAt = value.empty() ? 0 : static_cast<size_t>(value.data() - whole.data());
        valueLength = value.size();
    }

    void Classify() {
        const std::string_view whole = raw;
        std::string_view text = Trim(whole);
        if (text.empty() || text.front() == ';') return;
        if (text.front() == '[') {
            size_t close = text.rfind(']');
            if (close != std::string_view::npos) {
                kind = Section;
                std::string_view name = Trim(text.substr(1, close - 1));
                Mark(whole, name.empty() ? text.substr(1, 0) : name, {});
                return;
            }
        }
        size_t eq = text.find('=');
        if (eq == std::string_view::npos) return;
        std::string_view key = Trim(text.substr(0, eq));
        if (key.empty()) return;
        kind = Key;
        Mark(whole, key, Trim(text.substr(eq + 1)));
    }

    size_t nameAt = 0, nameLength = 0, valueAt = 0, valueLength = 0;
};

// The parsed file, line by line.
class IniText {
  public:
    explicit IniText(const std::string& contents) {
        size_t nl = contents.find('\n');
        if (nl != std::string::npos && nl > 0 && contents[nl - 1] == '\r') m_eol = "\r\n";
        size_t start = 0;
        while (start < contents.size()) {
            size_t end = contents.find('\n', start);
            if (end == std::string::npos) end = contents.size();
            std::string raw = contents.substr(start, end - start);
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            m_lines.push_back(Line(std::move(raw)));
            start = end + 1;
        }
    }

    // Index of the first header of the section, or npos.
    size_t FindSection(std::string_view section) const {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].kind == Line::Section && EqualsNoCase(m_lines[i].Name(), section))
                return i;
        }
        return npos;
    }

    // One past the section's last line (the next header or the end).
    size_t SectionEnd(size_t header) const {
        size_t i = header + 1;
        while (i < m_lines.size() && m_lines[i].kind != Line::Section) ++i;
        return i;
    }

    size_t FindKey(std::string_view section, std::string_view key) const {
        size_t header = FindSection(section);
        if (header == npos) return npos;
        size_t end = SectionEnd(header);
        for (size_t i = header + 1; i < end; ++i) {
            if (m_lines[i].kind == Line::Key && EqualsNoCase(m_lines[i].Name(), key)) return i;
        }
        return npos;
    }

    const Line& At(size_t i) const { return m_lines[i]; }

    void Replace(size_t i, std::string raw) { m_lines[i] = Line(std::move(raw)); }
    void Insert(size_t at, std::string raw) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line(std::move(raw)));
    }
    void Erase(size_t i) { m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i)); }

    // Where a new key of the section goes: after its last non-blank line, so
    // that the blank line separating it from the next section stays there.
    size_t InsertionPoint(size_t header) const {
        size_t end = SectionEnd(header);
        while (end > header + 1 && Trim(m_lines[end - 1].raw).empty()) --end;
        return end;
    }

    size_t LineCount() const { return m_lines.size(); }

    std::string Text() const {
        std::string out;
        for (const Line& line : m_lines) {
            out += line.raw;
            out += m_eol;
        }
        return out;
    }

    static constexpr size_t npos = static_cast<size_t>(-1);

  private:
    std::vector<Line> m_lines;
    std::string m_eol = "\n";
};

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// Names that would read back as something else (a header, a comment, another
// key) or split the line are refused rather than written.
bool ValidSection(std::string_view section) {
    std::string_view name = Trim(section);
    return !name.empty() && !HasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool ValidKey(std::string_view key) {
    std::string_view name = Trim(key);
    return !name.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
           name.front() != '[' && name.front() != ';';
}

// nullopt when the file exists but cannot be read: writing then would wipe it.
std::optional<IniText> Load(const std::string& path) {
    bool missing = false;
    std::optional<std::string> contents = AtomicFile::ReadAll(path, &missing);
    if (contents) return IniText(*contents);
    if (missing) return IniText(std::string());
    return std::nullopt;
}

std::optional<std::string> Lookup(const std::string& path, std::string_view section,
                                  std::string_view key) {
    std::optional<std::string> contents = AtomicFile::ReadAll(path);
    if (!contents) return std::nullopt;
    IniText ini(*contents);
    size_t i = ini.FindKey(Trim(section), Trim(key));
    if (i == IniText::npos) return std::nullopt;
    return std::string(ini.At(i).Value());
}

}  // namespace

CProfile::CProfile(std::string path) : m_path(std::move(path)) {}

std::string CProfile::GetString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    std::optional<std::string> value = Lookup(m_path, section, key);
    return value ? *value : std::string(fallback);
}

int CProfile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    std::optional<std::string> value = Lookup(m_path, section, key);
    if (!value || value->empty()) return fallback;
    return ParseLeadingInt(*value);
}

bool CProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!ValidSection(section) || !ValidKey(key) || HasLineBreak(value)) return false;
    std::optional<IniText> ini = Load(m_path);
    if (!ini) return false;
    section = Trim(section);
    key = Trim(key);
    value = Trim(value);

    size_t header = ini->FindSection(section);
    size_t at = ini->FindKey(section, key);
    if (at != IniText::npos) {
        if (ini->At(at).Value() == value) return true;  // nothing changes: leave the file alone
        std::string line(ini->At(at).Name());
        ini->Replace(at, line.append("=").append(value));
    } else if (header != IniText::npos) {
        ini->Insert(ini->InsertionPoint(header), std::string(key) + "=" + std::string(value));
    } else {
        size_t end = ini->LineCount();
        if (end > 0 && !Trim(ini->At(end - 1).raw).empty()) ini->Insert(end++, std::string());
        ini->Insert(end, "[" + std::string(section) + "]");
        ini->Insert(end + 1, std::string(key) + "=" + std::string(value));
    }
    return AtomicFile::Replace(m_path, ini->Text());
}

bool CProfile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool CProfile::DeleteKey(std::string_view section, std::string_view key) {
    std::optional<IniText> ini = Load(m_path);
    if (!ini) return false;
    size_t at = ini->FindKey(Trim(section), Trim(key));
    if (at == IniText::npos) return true;
    ini->Erase(at);
    return AtomicFile::Replace(m_path, ini->Text());
}

bool CProfile::DeleteSection(std::string_view section) {
    std::optional<IniText> ini = Load(m_path);
    if (!ini) return false;
    bool changed = false;
    for (size_t header = ini->FindSection(Trim(section)); header != IniText::npos;
         header = ini->FindSection(Trim(section))) {
        const size_t end = ini->SectionEnd(header);
        for (size_t i = end; i > header; --i) ini->Erase(i - 1);
        changed = true;
    }
    return !changed || AtomicFile::Replace(m_path, ini->Text());
}
