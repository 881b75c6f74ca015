// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnParser.h"

#include "chess/PgnTokenizer.h"

namespace {

using Token = PgnTokenizer::Token;

bool IsText(Token t) {
    return t == PgnTokenizer::kSymbol || t == PgnTokenizer::kString;
}
bool IsResult(Token t) {
    return t <= PgnTokenizer::kUnknown;
}

// Annotations written onto a move ("e4!?", "Qxf7#", "Nf3+") are not part of
// it. Every move of a file passes here, so where a move ends is one table
// look-up per character: the NUL that ends the symbol and the four signs.
struct MoveEndTable {
    bool ends[256] = {};
    constexpr MoveEndTable() {
        for (const char c : {'\0', '?', '!', '+', '#'}) ends[static_cast<unsigned char>(c)] = true;
    }
};
constexpr MoveEndTable kMoveEnds;

void CutAnnotation(char* move) {
    char* p = move;
    while (!kMoveEnds.ends[static_cast<unsigned char>(*p)]) ++p;
    *p = '\0';
}

// After "[": one tag, then everything up to "]". Returns the token after "]".
Token ReadTag(PgnTokenizer& tokens, PgnGame& game) {
    Token t = tokens.Next();
    if (IsText(t)) {
        const char* name = tokens.Text();
        t = tokens.Next();
        if (IsText(t)) {
            game.AddTag(name, tokens.Text());
            t = tokens.Next();
        }
    }
    while (t != PgnTokenizer::kCloseBracket && t != PgnTokenizer::kEnd) t = tokens.Next();
    return t == PgnTokenizer::kEnd ? t : tokens.Next();
}

// Reads the move text from token t. Returns the token that ended it; after a
// result, the token following the result.
Token ReadMoves(PgnTokenizer& tokens, Token t, PgnGame& game) {
    for (;; t = tokens.Next()) {
        if (t == PgnTokenizer::kMoveNumber || t == PgnTokenizer::kDots) continue;
        if (t == PgnTokenizer::kSymbol) {
            CutAnnotation(tokens.Text());
            game.AddMove(tokens.Text());
            continue;
        }
        if (IsResult(t)) {
            game.SetResultCode(t);
            return tokens.Next();
        }
        return t;
    }
}

}  // namespace

std::vector<PgnGame> PgnParser::ParsePgn(char* text, size_t size) {
    std::vector<PgnGame> games;
    PgnTokenizer tokens(text, size);
    Token t = tokens.Next();
    for (;;) {
        while (t != PgnTokenizer::kOpenBracket && t != PgnTokenizer::kEnd) t = tokens.Next();
        if (t == PgnTokenizer::kEnd) break;
        PgnGame& game = games.emplace_back();
        while (t == PgnTokenizer::kOpenBracket) t = ReadTag(tokens, game);
        t = ReadMoves(tokens, t, game);
    }
    return games;
}
