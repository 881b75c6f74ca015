// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ServerGame.h"

#include <algorithm>

#include "AccountStore.h"

std::string_view ServerGame::WildName(int wildNumber) {
    for (const auto& [n, name] : kWildNames) {
        if (n == wildNumber) return name;
    }
    return {};
}

void ServerGame::ResetStandard() {
    Referee start;
    if (DropGame()) start.EnableDrops();
    m_positions = {start};
    m_plies.clear();
    m_shown = 0;
    m_startFen.clear();
}

bool ServerGame::ResetFromFen(std::string_view fen) {
    std::optional<Referee> position = Referee::FromFen(fen);
    if (!position) return false;
    if (DropGame()) position->EnableDrops();
    m_positions = {*position};
    m_plies.clear();
    m_shown = 0;
    m_startFen = position->Fen();
    if (m_startFen == Referee::kStartFen) m_startFen.clear();
    return true;
}

void ServerGame::RestartFromCurrent(const Referee& position) {
    m_positions = {position};
    m_plies.clear();
    m_shown = 0;
    m_startFen = position.Fen();
}

std::string ServerGame::TimeControlText() const {
    if (!Timed()) return "untimed";
    return std::to_string(minutes) + " " + std::to_string(increment);
}

std::string ServerGame::StartBoard() const {
    return m_startFen.empty() ? std::string("*") : m_positions.front().BoardText();
}

const ServerGame::Ply& ServerGame::Play(const Referee::Move& move) {
    m_positions.resize(static_cast<size_t>(m_shown) + 1);
    m_plies.resize(static_cast<size_t>(m_shown));
    const Referee& before = m_positions.back();
    Ply ply{move, before.San(move), before.Smith(move)};
    Referee after = before;
    after.Play(move);
    m_positions.push_back(after);
    m_plies.push_back(std::move(ply));
    ++m_shown;
    return m_plies.back();
}

int ServerGame::Back(int n, bool forget) {
    n = std::clamp(n, 0, m_shown);
    m_shown -= n;
    if (forget) {
        m_positions.resize(static_cast<size_t>(m_shown) + 1);
        m_plies.resize(static_cast<size_t>(m_shown));
    }
    return n;
}

std::vector<ServerGame::Ply> ServerGame::Forward(int n) {
    std::vector<Ply> replayed;
    while (n-- > 0 && m_shown < PlyCount())
        replayed.push_back(m_plies[static_cast<size_t>(m_shown++)]);
    return replayed;
}

bool ServerGame::Repeated() const {
    const std::string key = Current().Key();
    int seen = 0;
    for (int p = 0; p <= m_shown; ++p) {
        if (m_positions[static_cast<size_t>(p)].Key() == key) ++seen;
    }
    return seen >= 3;
}

int ServerGame::ColourOf(std::string_view handle) const {
    // In a game against oneself the side to move is the one who plays.
    if (AccountStore::SameHandle(names[1], handle) && AccountStore::SameHandle(names[0], handle))
        return Current().SideToMove();
    if (AccountStore::SameHandle(names[1], handle)) return 1;
    if (AccountStore::SameHandle(names[0], handle)) return 0;
    return -1;
}

int64_t ServerGame::TimeLeft(int side, int64_t now) const {
    const int64_t left = clockMs[static_cast<size_t>(side)];
    if (state != State::Playing || over || !Timed() || Current().SideToMove() != side) return left;
    return left - (now - turnStartMs);
}

bool ServerGame::HasMatingMaterial(int side) const {
    // A piece in hand can be dropped to mate.
    if (!Current().Holdings(side).empty()) return true;
    int minors = 0;
    for (int square = 0; square < 64; ++square) {
        const char c = Current().At(square);
        if (c == '-' || (side == 1) != (c >= 'A' && c <= 'Z')) continue;
        const char type = static_cast<char>(c & ~0x20);
        if (type == 'P' || type == 'R' || type == 'Q') return true;
        if (type == 'N' || type == 'B') ++minors;
    }
    return minors >= 2;
}

std::vector<std::string> ServerGame::PgnLines() const {
    auto tag = [&](std::string_view name, std::string value) {
        for (const auto& [tagName, tagValue] : tags) {
            if (AccountStore::SameHandle(tagName, name)) value = tagValue;
        }
        std::string escaped;
        for (char c : value) {
            if (c == '"' || c == '\\') escaped += '\\';
            escaped += c;
        }
        return "[" + std::string(name) + " \"" + escaped + "\"]";
    };
    std::string lowerCategory = category;
    for (char& c : lowerCategory)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<std::string> lines = {
        tag("Event",
            std::string("VCX ") + (rated ? "rated " : "unrated ") + lowerCategory + " game"),
        tag("Site", "VCX test server"),
        tag("Date", date.empty() ? "????.??.??" : date),
        tag("Round", "-"),
        tag("White", names[1]),
        tag("Black", names[0]),
        tag("Result", result),
        tag("WhiteElo", std::to_string(ratings[1])),
        tag("BlackElo", std::to_string(ratings[0])),
        tag("TimeControl", Timed() ? std::to_string(minutes * 60) + "+" + std::to_string(increment)
                                   : std::string("-")),
    };
    if (wild != 0) {
        std::string name(WildName(wild));
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        lines.push_back(tag(
            "Variant", "w" + std::to_string(wild) + " (" + (name.empty() ? "wild" : name) + ")"));
    }
    if (!m_startFen.empty()) {
        lines.push_back(tag("SetUp", "1"));
        lines.push_back(tag("FEN", m_startFen));
    }
    for (const auto& [name, value] : tags) {
        bool known = false;
        for (const std::string& line : lines) known = known || line.starts_with("[" + name + " ");
        if (!known) lines.push_back(tag(name, value));
    }
    lines.emplace_back();
    std::string line;
    auto append = [&](const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > 80) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    };
    const Referee& start = m_positions.front();
    int moveNumber = start.FullMoveNumber();
    int side = start.SideToMove();
    for (size_t i = 0; i < m_plies.size(); ++i) {
        if (side == 1) {
            append(std::to_string(moveNumber) + ". " + m_plies[i].san);
        } else {
            append(i == 0 ? std::to_string(moveNumber) + "... " + m_plies[i].san : m_plies[i].san);
            ++moveNumber;
        }
        side = 1 - side;
    }
    append(result);
    lines.push_back(line);
    return lines;
}
