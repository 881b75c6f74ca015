// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/OfferCommands.h"

#include <climits>

namespace OfferCommands {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Typed text goes into one command line: a line break in it would end the
// command early and make the server run the rest as a command of its own.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return line;
}

void SetIfChanged(Outcome& outcome, std::string_view name, int chosen, int current) {
    if (chosen != current) outcome.lines.push_back(SetLine(name, chosen));
}

void SetIfChanged(Outcome& outcome, std::string_view name, bool chosen, int current) {
    SetIfChanged(outcome, name, chosen ? 1 : 0, current);
}

const char* ColourPart(Colour colour) {
    switch (colour) {
        case Colour::White:
            return "white ";
        case Colour::Black:
            return "black ";
        case Colour::Auto:
            break;
    }
    return "";
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string SetLine(std::string_view name, int value) {
    return "Set " + std::string(name) + " " + std::to_string(value) + "\n";
}

int ReadNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

int ClampMinRating(int value) {
    if (value < 0) return 0;
    return value > kNoMaximum ? kNoMaximum : value;
}

int ClampMaxRating(int value) {
    if (value < 0) value = 0;
    // No upper limit, however it was written.
    if (value == 0 || value > kNoMaximum) value = kNoMaximum;
    return value;
}

SeekChoice SeekDefaults(const ServerValues& values) {
    SeekChoice choice;
    choice.time = values.time;
    choice.increment = values.increment;
    choice.wild = values.wild;
    choice.rated = values.rated != 0;
    choice.minRating = values.minseek;
    choice.maxRating = values.maxseek;
    choice.manualAccept = values.manualaccept != 0;
    choice.useFormula = values.useformula != 0;
    return choice;
}

FormulaChoice FormulaDefaults(const ServerValues& values) {
    FormulaChoice choice;
    choice.open = values.open != 0;
    choice.ropen = values.ropen != 0;
    choice.wopen = values.wopen != 0;
    choice.rated = values.rated != 0;
    choice.wild = values.wild;
    choice.mood = values.mood;
    choice.formula = values.formula;
    choice.sfilter = values.sfilter;
    return choice;
}

VariablesChoice VariablesDefaults(const ServerValues& values) {
    VariablesChoice choice;
    choice.shout = values.shout != 0;
    choice.sshout = values.sshout != 0;
    choice.tell = values.tell != 0;
    choice.ctell = values.ctell != 0;
    choice.unobserve = values.unobserve != 0;
    choice.autoflag = values.autoflag != 0;
    choice.examine = values.examine != 0;
    choice.open = values.open != 0;
    choice.noescape = values.noescape != 0;
    choice.kibitz = values.kibitz;
    choice.seek = values.seek;
    choice.bell = values.bell;
    choice.quietplay = values.quietplay;
    return choice;
}

Outcome Seek(const SeekChoice& choice, const ServerValues& values) {
    Outcome outcome;
    const int minRating = ClampMinRating(choice.minRating);
    const int maxRating = ClampMaxRating(choice.maxRating);
    if (choice.saveValues) {
        SetIfChanged(outcome, "wild", choice.wild, values.wild);
        SetIfChanged(outcome, "time", choice.time, values.time);
        // The server reports it as "increment" but takes it back as "inc".
        SetIfChanged(outcome, "inc", choice.increment, values.increment);
        SetIfChanged(outcome, "rated", choice.rated, values.rated);
        SetIfChanged(outcome, "minseek", minRating, values.minseek);
        SetIfChanged(outcome, "maxseek", maxRating, values.maxseek);
        SetIfChanged(outcome, "useformula", choice.useFormula, values.useformula);
        SetIfChanged(outcome, "manualaccept", choice.manualAccept, values.manualaccept);
    }
    // The server's own setting applies when the box is clear, so clearing it
    // has to be said in the seek itself.
    const char* accept = choice.manualAccept ? "m" : values.manualaccept ? "a" : "";
    const char* formula = choice.useFormula ? " f" : values.useformula ? " n" : "";
    outcome.lines.push_back("Seek " + std::to_string(choice.time) + " " +
                            std::to_string(choice.increment) + " w" + std::to_string(choice.wild) +
                            " " + (choice.rated ? "r" : "u") + " " + std::to_string(minRating) +
                            "-" + std::to_string(maxRating) + " " + ColourPart(choice.colour) +
                            accept + formula + "\n");
    return outcome;
}

Outcome Match(const MatchChoice& choice, const ServerValues& values) {
    Outcome outcome;
    if (choice.saveValues) {
        SetIfChanged(outcome, "wild", choice.wild, values.wild);
        SetIfChanged(outcome, "time", choice.time, values.time);
        SetIfChanged(outcome, "inc", choice.increment, values.increment);
        SetIfChanged(outcome, "rated", choice.rated, values.rated);
    }
    const std::string_view name = Trim(choice.opponent);
    bool valid = !name.empty() && IsAsciiLetter(name.front());
    for (char c : name) valid = valid && !IsBlank(c);
    if (!valid) {
        outcome.warning = "\"" + OneLine(name) + "\" is not a valid player handle\n";
        return outcome;
    }
    outcome.lines.push_back("Match " + std::string(name) + " " + std::to_string(choice.time) + " " +
                            std::to_string(choice.increment) + " w" + std::to_string(choice.wild) +
                            " " + (choice.rated ? "r" : "u") + " " + ColourPart(choice.colour) +
                            "\n");
    return outcome;
}

Outcome Formula(const FormulaChoice& choice, const ServerValues& values) {
    Outcome outcome;
    SetIfChanged(outcome, "wild", choice.wild, values.wild);
    SetIfChanged(outcome, "mood", choice.mood, values.mood);
    SetIfChanged(outcome, "rated", choice.rated, values.rated);
    SetIfChanged(outcome, "ropen", choice.ropen, values.ropen);
    SetIfChanged(outcome, "open", choice.open, values.open);
    SetIfChanged(outcome, "wopen", choice.wopen, values.wopen);
    if (choice.formula != values.formula) {
        outcome.lines.push_back("Set formula " + OneLine(choice.formula) + "\n");
    }
    if (choice.sfilter != values.sfilter) {
        outcome.lines.push_back("Set sfilter " + OneLine(choice.sfilter) + "\n");
    }
    return outcome;
}

Outcome Variables(const VariablesChoice& choice, const ServerValues& values) {
    Outcome outcome;
    SetIfChanged(outcome, "examine", choice.examine, values.examine);
    SetIfChanged(outcome, "noescape", choice.noescape, values.noescape);
    SetIfChanged(outcome, "bell", choice.bell, values.bell);
    SetIfChanged(outcome, "ctell", choice.ctell, values.ctell);
    SetIfChanged(outcome, "autoflag", choice.autoflag, values.autoflag);
    SetIfChanged(outcome, "kibitz", choice.kibitz, values.kibitz);
    SetIfChanged(outcome, "open", choice.open, values.open);
    SetIfChanged(outcome, "seek", choice.seek, values.seek);
    SetIfChanged(outcome, "quietplay", choice.quietplay, values.quietplay);
    SetIfChanged(outcome, "shout", choice.shout, values.shout);
    SetIfChanged(outcome, "sshout", choice.sshout, values.sshout);
    SetIfChanged(outcome, "tell", choice.tell, values.tell);
    SetIfChanged(outcome, "unobserve", choice.unobserve, values.unobserve);
    return outcome;
}

Outcome Notes(const std::array<std::string, ServerValues::kNoteCount>& notes,
              const ServerValues& values) {
    Outcome outcome;
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] == values.notes[i]) continue;
        outcome.lines.push_back("Set " + std::to_string(i + 1) + " " + OneLine(notes[i]) + "\n");
    }
    return outcome;
}

Outcome Question(std::string_view question) {
    Outcome outcome;
    if (!question.empty()) outcome.lines.push_back("XTell 1 * " + OneLine(question) + "\n");
    return outcome;
}

std::string MatchOpponent(std::string_view target, std::string_view lastOpponent) {
    return std::string(target.empty() ? lastOpponent : target);
}

std::vector<WildEntry> WildEntries(const std::vector<std::string>& names) {
    std::vector<WildEntry> entries;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty()) continue;
        const int number = static_cast<int>(i);
        entries.push_back({number, std::to_string(number) + ". " + names[i]});
    }
    return entries;
}

int WildSelection(const std::vector<WildEntry>& entries, int wild) {
    if (entries.empty()) return -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].number == wild) return static_cast<int>(i);
    }
    return 0;
}

}  // namespace OfferCommands
