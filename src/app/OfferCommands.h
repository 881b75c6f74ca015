// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "net/ServerValues.h"

// The command lines the game-offer and variable dialogs send, built from what
// the user chose and the server's last word on each variable. The dialogs
// only collect choices; everything the server sees is decided here, without
// widgets, so that it can be tested and fuzzed on its own. Every line ends in
// "\n"; the lines of the "Set" dialogs and offers are echoed to the main
// console as they are sent.
namespace OfferCommands {

enum class Colour { Auto, White, Black };

// The highest rating a seek can ask for; also "no limit".
constexpr int kNoMaximum = 9999;
constexpr int kMaxMinutes = 600;
constexpr int kMaxIncrement = 300;
constexpr size_t kMaxOpponent = 15;
constexpr size_t kMaxNote = 330;
constexpr size_t kMaxQuestion = 311;

struct SeekChoice {
    int time = 0;
    int increment = 0;
    int wild = 0;
    bool rated = false;
    int minRating = 0;  // as typed; clamped when the lines are built
    int maxRating = kNoMaximum;
    Colour colour = Colour::Auto;
    bool manualAccept = false;
    bool useFormula = false;
    bool saveValues = true;
};

struct MatchChoice {
    std::string opponent;
    int time = 0;
    int increment = 0;
    int wild = 0;
    bool rated = false;
    Colour colour = Colour::Auto;
    bool saveValues = true;
};

struct FormulaChoice {
    bool open = false;
    bool ropen = false;
    bool wopen = false;
    bool rated = false;
    int wild = 0;
    int mood = 0;
    std::string formula;
    std::string sfilter;
};

struct VariablesChoice {
    bool shout = false;
    bool sshout = false;
    bool tell = false;
    bool ctell = false;
    bool unobserve = false;
    bool autoflag = false;
    bool examine = false;
    bool open = false;
    bool noescape = false;
    int kibitz = 0;
    int seek = 0;
    int bell = 0;
    int quietplay = 0;
};

// What OK in one of the dialogs does: lines to echo and send, in order, and
// a warning shown in the main console instead of (or after) them.
struct Outcome {
    std::vector<std::string> lines;
    std::string warning;
};

// One entry of a dialog's wild-type list.
struct WildEntry {
    int number = 0;
    std::string label;  // "%d. %s"
};

// "Set %s %d\n".
std::string SetLine(std::string_view name, int value);

// A rating field's text read as a number the way a dialog's number field
// reads: leading blanks and one sign allowed, digits up to the first
// non-digit; no digit at all reads as 0, an overlong number saturates.
int ReadNumber(std::string_view text);
int ClampMinRating(int value);
int ClampMaxRating(int value);

// The values the dialogs open with, from the server's variables.
SeekChoice SeekDefaults(const ServerValues& values);
FormulaChoice FormulaDefaults(const ServerValues& values);
VariablesChoice VariablesDefaults(const ServerValues& values);

Outcome Seek(const SeekChoice& choice, const ServerValues& values);
Outcome Match(const MatchChoice& choice, const ServerValues& values);
Outcome Formula(const FormulaChoice& choice, const ServerValues& values);
Outcome Variables(const VariablesChoice& choice, const ServerValues& values);
Outcome Notes(const std::array<std::string, ServerValues::kNoteCount>& notes,
              const ServerValues& values);
// Nothing for an empty question. Sent like a fixed command, without echo.
Outcome Question(std::string_view question);

// The opponent a Match dialog opens with: the person popup's last Match
// target when there is one, else the last opponent.
std::string MatchOpponent(std::string_view target, std::string_view lastOpponent);

// Every cached name that is not empty, as "%d. %s" with its number.
std::vector<WildEntry> WildEntries(const std::vector<std::string>& names);
// The entry to select for `wild`: its index, or 0 when no entry has it
// (-1 for an empty list).
int WildSelection(const std::vector<WildEntry>& entries, int wild);

}  // namespace OfferCommands
