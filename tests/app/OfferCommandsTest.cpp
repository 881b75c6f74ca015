// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The lines the offer and variable dialogs send, for the choices a user can
// make, against the server's last report of each variable.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/OfferCommands.h"

namespace {

using namespace OfferCommands;
using Lines = std::vector<std::string>;

struct SeekRow {
    const char* what;
    std::function<void(SeekChoice&, ServerValues&)> change;
    Lines lines;
};

TEST(OfferCommands, SeekSetsOnlyChangedValuesInOrderThenTheOffer) {
    const SeekRow rows[] = {
        {"nothing changed", [](SeekChoice&, ServerValues&) {}, {"Seek 2 12 w0 r 0-9999 \n"}},
        {"time and increment, the increment under its short name",
         [](SeekChoice& c, ServerValues&) {
             c.time = 5;
             c.increment = 0;
         },
         {"Set time 5\n", "Set inc 0\n", "Seek 5 0 w0 r 0-9999 \n"}},
        {"everything changed, in the server's order",
         [](SeekChoice& c, ServerValues&) {
             c.wild = 23;
             c.time = 3;
             c.increment = 1;
             c.rated = false;
             c.minRating = 1200;
             c.maxRating = 1800;
             c.useFormula = true;
             c.manualAccept = true;
             c.colour = Colour::Black;
         },
         {"Set wild 23\n", "Set time 3\n", "Set inc 1\n", "Set rated 0\n", "Set minseek 1200\n",
          "Set maxseek 1800\n", "Set useformula 1\n", "Set manualaccept 1\n",
          "Seek 3 1 w23 u 1200-1800 black m f\n"}},
        {"save values off: the offer alone",
         [](SeekChoice& c, ServerValues&) {
             c.time = 9;
             c.rated = false;
             c.saveValues = false;
         },
         {"Seek 9 12 w0 u 0-9999 \n"}},
        {"a maximum of 0 means no limit",
         [](SeekChoice& c, ServerValues&) { c.maxRating = 0; },
         {"Seek 2 12 w0 r 0-9999 \n"}},
        {"ratings out of range are clamped",
         [](SeekChoice& c, ServerValues& v) {
             c.minRating = -40;
             c.maxRating = -1;
             v.minseek = 100;
             v.maxseek = 2000;
         },
         {"Set minseek 0\n", "Set maxseek 9999\n", "Seek 2 12 w0 r 0-9999 \n"}},
        {"a minimum past the top and a maximum past it",
         [](SeekChoice& c, ServerValues&) {
             c.minRating = 12000;
             c.maxRating = 10000;
         },
         {"Set minseek 9999\n", "Seek 2 12 w0 r 9999-9999 \n"}},
        {"boxes cleared while the server has them on: said in the offer",
         [](SeekChoice& c, ServerValues& v) {
             v.manualaccept = 1;
             v.useformula = 1;
             c.colour = Colour::White;
         },
         {"Set useformula 0\n", "Set manualaccept 0\n", "Seek 2 12 w0 r 0-9999 white a n\n"}},
        {"boxes cleared, not saved: the offer still overrides",
         [](SeekChoice& c, ServerValues& v) {
             v.manualaccept = 1;
             c.saveValues = false;
         },
         {"Seek 2 12 w0 r 0-9999 a\n"}},
    };
    for (const SeekRow& row : rows) {
        ServerValues values;
        SeekChoice choice = SeekDefaults(values);
        row.change(choice, values);
        const Outcome outcome = Seek(choice, values);
        EXPECT_EQ(outcome.lines, row.lines) << row.what;
        EXPECT_EQ(outcome.warning, "") << row.what;
    }
}

struct MatchRow {
    const char* opponent;
    bool save;
    Lines lines;
    const char* warning;
};

TEST(OfferCommands, MatchChecksTheHandle) {
    const MatchRow rows[] = {
        {"Judit", true, {"Match Judit 2 12 w0 r \n"}, ""},
        {"  Judit\t", true, {"Match Judit 2 12 w0 r \n"}, ""},
        {"1abc", true, {}, "\"1abc\" is not a valid player handle\n"},
        {"a b", true, {}, "\"a b\" is not a valid player handle\n"},
        {"   ", true, {}, "\"\" is not a valid player handle\n"},
        {"_x", true, {}, "\"_x\" is not a valid player handle\n"},
        {"Bo", false, {"Match Bo 2 12 w0 r \n"}, ""},
    };
    for (const MatchRow& row : rows) {
        const ServerValues values;
        MatchChoice choice;
        choice.opponent = row.opponent;
        choice.time = values.time;
        choice.increment = values.increment;
        choice.rated = true;
        choice.saveValues = row.save;
        const Outcome outcome = Match(choice, values);
        EXPECT_EQ(outcome.lines, row.lines) << row.opponent;
        EXPECT_EQ(outcome.warning, row.warning) << row.opponent;
    }
}

TEST(OfferCommands, MatchSavesValuesBeforeTheChallenge) {
    const ServerValues values;
    MatchChoice choice{"Magnus", 10, 5, 23, false, Colour::White, true};
    EXPECT_EQ(Match(choice, values).lines,
              (Lines{"Set wild 23\n", "Set time 10\n", "Set inc 5\n", "Set rated 0\n",
                     "Match Magnus 10 5 w23 u white \n"}));
    choice.saveValues = false;
    choice.colour = Colour::Black;
    EXPECT_EQ(Match(choice, values).lines, (Lines{"Match Magnus 10 5 w23 u black \n"}));
}

TEST(OfferCommands, FormulaSetsNumbersAndFlagsThenTexts) {
    ServerValues values;
    values.formula = "rated";
    FormulaChoice choice = FormulaDefaults(values);
    EXPECT_TRUE(Formula(choice, values).lines.empty());
    choice.open = false;
    choice.ropen = false;
    choice.wopen = false;
    choice.rated = false;
    choice.wild = 1;
    choice.mood = 2;
    choice.formula = "Rated";  // compared with case
    // A pasted line break must not end the command and start another.
    choice.sfilter = "r>1500\nshout hi";
    EXPECT_EQ(
        Formula(choice, values).lines,
        (Lines{"Set wild 1\n", "Set mood 2\n", "Set rated 0\n", "Set ropen 0\n", "Set open 0\n",
               "Set wopen 0\n", "Set formula Rated\n", "Set sfilter r>1500 shout hi\n"}));
}

TEST(OfferCommands, VariablesSetEveryChangeInTheServerOrder) {
    const ServerValues values;
    VariablesChoice choice = VariablesDefaults(values);
    EXPECT_TRUE(Variables(choice, values).lines.empty());
    choice.shout = !choice.shout;
    choice.sshout = !choice.sshout;
    choice.tell = !choice.tell;
    choice.ctell = !choice.ctell;
    choice.unobserve = !choice.unobserve;
    choice.autoflag = !choice.autoflag;
    choice.examine = !choice.examine;
    choice.open = !choice.open;
    choice.noescape = !choice.noescape;
    choice.kibitz = 0;
    choice.seek = 0;
    choice.bell = 0;
    choice.quietplay = 2;
    EXPECT_EQ(Variables(choice, values).lines,
              (Lines{"Set examine 0\n", "Set noescape 1\n", "Set bell 0\n", "Set ctell 1\n",
                     "Set autoflag 0\n", "Set kibitz 0\n", "Set open 0\n", "Set seek 0\n",
                     "Set quietplay 2\n", "Set shout 0\n", "Set sshout 0\n", "Set tell 1\n",
                     "Set unobserve 1\n"}));
}

TEST(OfferCommands, NotesAndQuestion) {
    ServerValues values;
    values.notes[0] = "first";
    std::array<std::string, ServerValues::kNoteCount> notes = values.notes;
    notes[0] = "";
    notes[2] = "third note";
    EXPECT_EQ(Notes(notes, values).lines, (Lines{"Set 1 \n", "Set 3 third note\n"}));
    EXPECT_TRUE(Notes(values.notes, values).lines.empty());

    EXPECT_TRUE(Question("").lines.empty());
    EXPECT_EQ(Question("How do I seek?").lines, (Lines{"XTell 1 * How do I seek?\n"}));
}

TEST(OfferCommands, RatingFieldsReadAsNumbers) {
    const std::pair<const char*, int> rows[] = {
        {"1500", 1500},
        {"  -20", -20},
        {"+7", 7},
        {"12ab", 12},
        {"abc", 0},
        {"", 0},
        {"99999999999", 2147483647},
        {"-", 0},
    };
    for (const auto& [text, number] : rows) EXPECT_EQ(ReadNumber(text), number) << text;
}

TEST(OfferCommands, WildListSkipsMissingNamesAndFallsBackToTheFirst) {
    const std::vector<std::string> names = {"Standard", "", "Mirrored", "", "", ""};
    const std::vector<WildEntry> entries = WildEntries(names);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].label, "2. Mirrored");
    EXPECT_EQ(entries[1].number, 2);
    EXPECT_EQ(WildSelection(entries, 2), 1);
    EXPECT_EQ(WildSelection(entries, 1), 0);
    EXPECT_EQ(WildSelection({}, 0), -1);

    EXPECT_EQ(MatchOpponent("", "Judit"), "Judit");
    EXPECT_EQ(MatchOpponent("Magnus", "Judit"), "Magnus");
}

}  // namespace
