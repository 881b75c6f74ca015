// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/Notation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>

#include "chess/Diagnostics.h"
#include "chess/KingSafety.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr bool IsFile(char c) {
    return c >= 'a' && c <= 'h';
}
constexpr bool IsRank(char c) {
    return c >= '1' && c <= '8';
}
constexpr char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char ToUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int PieceOfLetter(char c) {
    switch (c) {
        case 'P':
            return Position::Pawn;
        case 'N':
            return Position::Knight;
        case 'B':
            return Position::Bishop;
        case 'R':
            return Position::Rook;
        case 'Q':
            return Position::Queen;
        case 'K':
            return Position::King;
        default:
            return 0;
    }
}

int Side(const Position& pos) {
    return pos.sideToMove == Position::White ? Position::White : Position::Black;
}

// The first "x"; a plain loop beats a library search on a few characters.
size_t FindX(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == 'x') return i;
    }
    return std::string_view::npos;
}

// A "b" may be the b-file or a bishop, so it keeps its case; everything else
// is brought to one spelling. Every character of every move read passes
// here, so the spelling is one table look-up.
struct SpellingTable {
    char to[256] = {};
    constexpr SpellingTable() {
        for (int c = 0; c < 256; ++c) to[c] = static_cast<char>(c);
        for (const char c : {'A', 'C', 'D', 'E', 'F', 'G', 'H', 'O', 'X'})
            to[static_cast<unsigned char>(c)] = ToLower(c);
        to[static_cast<unsigned char>('0')] = 'o';
        for (const char c : {'p', 'n', 'r', 'q', 'k'})
            to[static_cast<unsigned char>(c)] = ToUpper(c);
    }
};
constexpr SpellingTable kSpelling;

char Normalise(char c) {
    return kSpelling.to[static_cast<unsigned char>(c)];
}

// The characters that end or split a move text, so that the reader finds
// them with one look-up per character.
enum Mark : unsigned {
    kMarkPlus = 1,
    kMarkHash = 2,
    kMarkEquals = 4,
    kMarkAnnotation = 8,  // "!" and "?"
};
struct MarkTable {
    uint8_t of[256] = {};
    constexpr MarkTable() {
        of[static_cast<unsigned char>('+')] = kMarkPlus;
        of[static_cast<unsigned char>('#')] = kMarkHash;
        of[static_cast<unsigned char>('=')] = kMarkEquals;
        of[static_cast<unsigned char>('!')] = kMarkAnnotation;
        of[static_cast<unsigned char>('?')] = kMarkAnnotation;
    }
};
constexpr MarkTable kMarks;

unsigned MarkOf(char c) {
    return kMarks.of[static_cast<unsigned char>(c)];
}

// No readable move is longer than seven characters once check signs and
// promotion are cut (piece, file, rank, "x", piece, file, rank); longer text
// is refused before it is copied anywhere.
constexpr size_t kMaxMoveText = 15;

struct TextBuffer {
    std::array<char, kMaxMoveText + 1> chars{};
    size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};

// What the move text says of a square: piece, file, rank; -1 where not given.
struct SquareHint {
    int piece = -1;
    int file = -1;
    int rank = -1;
};

// Reads a square description backwards: rank digit last, file before it, piece
// letter before that, and nothing else.
bool ParseHint(std::string_view text, SquareHint& hint) {
    hint = SquareHint{};
    size_t end = text.size();
    if (end > 0 && IsRank(text[end - 1])) hint.rank = text[--end] - '1';
    if (end > 0 && IsFile(text[end - 1])) hint.file = text[--end] - 'a';
    if (end > 0 && PieceOfLetter(text[end - 1])) hint.piece = PieceOfLetter(text[--end]);
    return end == 0;
}

// Squares as bit sets (bit = board index) so that candidates and targets are
// found with a few vector compares instead of walks over 64 squares.
using SquareSet = uint64_t;

constexpr SquareSet kFileA = 0xFFull;
constexpr SquareSet kRank1 = 0x0101010101010101ull;

SquareSet SquaresOf(const Position::Board& board, int side, int type) {
    SquareSet set = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i wanted =
        _mm_set1_epi8(static_cast<char>(type > 0 ? Position::MakePiece(side, type) : 0));
    const __m128i ten = _mm_set1_epi8(10);
    const __m128i nine = _mm_set1_epi8(9);
    for (int chunk = 0; chunk < 4; ++chunk) {
        const __m128i x =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.data() + chunk * 16));
        __m128i hit;
        if (type > 0) {
            hit = _mm_cmpeq_epi8(x, wanted);
        } else if (side == Position::White) {
            hit = _mm_andnot_si128(_mm_cmpeq_epi8(x, zero), _mm_cmplt_epi8(x, ten));
        } else {
            hit = _mm_cmpgt_epi8(x, nine);
        }
        set |= static_cast<SquareSet>(static_cast<uint16_t>(_mm_movemask_epi8(hit)))
               << (chunk * 16);
    }
#else
    for (int i = 0; i < 64; ++i) {
        const int code = board[static_cast<size_t>(i)];
        const bool hit = type > 0 ? code == Position::MakePiece(side, type)
                                  : code != 0 && Position::ColourOf(code) == side;
        if (hit) set |= SquareSet{1} << i;
    }
#endif
    return set;
}

SquareSet HintSquares(const SquareHint& hint) {
    SquareSet set = ~SquareSet{0};
    if (hint.file >= 0) set &= kFileA << (hint.file * 8);
    if (hint.rank >= 0) set &= kRank1 << hint.rank;
    return set;
}

// Pieces of `side` matching the square description.
SquareSet Matching(const Position::Board& board, int side, const SquareHint& hint) {
    return SquaresOf(board, side, hint.piece) & HintSquares(hint);
}

int PopSquare(SquareSet& set) {
    const int square = std::countr_zero(set);
    set &= set - 1;
    return square;
}

// Whether a candidate of the named type could reach the target at all. Most
// pairs a move text gives (every pawn for "e4", both knights for "Nf3") are
// passed over here; check_general would only answer MoveImpossible for them,
// which changes no count. Candidates of no named type (any piece) are all
// asked, as their pieces may be anything.
bool Reaches(int type, int side, int from, int to) {
    return type <= 0 || ((KingSafety::ReachingSquares(type, side, to) >> from) & 1);
}

// Counts legal (candidate, target) pairs as the reader's rules say.
class PairCounter {
  public:
    explicit PairCounter(const Position& pos) : m_pos(pos), m_safety(pos.board, Side(pos)) {}

    // Squares are board indices. False once a second legal pair has been seen.
    bool Add(int from, int to) {
        const int code = Position::check_general(from / 8, from % 8, to / 8, to % 8, m_pos.board,
                                                 m_pos.epFile, m_safety);
        if (code == Position::MoveLeavesCheck) {
            m_sawCheck = true;
        } else if (code > 0) {
            if (m_found) {
                m_ambiguous = true;
                return false;
            }
            m_found = true;
            m_from = from;
            m_to = to;
            m_code = code;
        }
        return true;
    }

    const KingSafety& Safety() const { return m_safety; }

    SanMove Result() const {
        if (m_ambiguous) return SanMove{SanAmbiguous};
        if (!m_found) return SanMove{m_sawCheck ? SanLeavesCheck : SanNoMove};
        // The move is kept as two squares and made a SanMove only here: one
        // kept whole would be read back whole right after its fields were
        // stored one by one, which stalls.
        return SanMove{SanOk, m_from / 8, m_from % 8, m_to / 8, m_to % 8, m_code};
    }

  private:
    const Position& m_pos;
    // Every candidate is a piece of the side to move, so the king's bit sets
    // are gathered once for all pairs.
    const KingSafety m_safety;
    bool m_found = false;
    bool m_ambiguous = false;
    bool m_sawCheck = false;
    int m_from = -1;
    int m_to = -1;
    int m_code = Position::MoveImpossible;
};

// Pieces of `side` matching the square description, in board order. With a
// named piece and one target square (the usual "Nf3", "e4", "Nxe5") only the
// few own pieces that could reach the target are looked at on the board;
// others could only be refused by check_general.
SquareSet Candidates(const Position& pos, int side, const SquareHint& hint, SquareSet targets,
                     const KingSafety& safety) {
    if (hint.piece <= 0 || !targets || (targets & (targets - 1)))
        return Matching(pos.board, side, hint);
    const int code = Position::MakePiece(side, hint.piece);
    SquareSet near = KingSafety::ReachingSquares(hint.piece, side, std::countr_zero(targets)) &
                     safety.Occupied() & ~safety.Enemies() & HintSquares(hint);
    SquareSet found = 0;
    while (near) {
        const int square = PopSquare(near);
        if (pos.board[static_cast<size_t>(square)] == code) found |= SquareSet{1} << square;
    }
    return found;
}

SanMove ResolveCapture(std::string_view text, size_t x, const Position& pos) {
    const int side = Side(pos);
    SquareHint origin;
    SquareHint target;
    const std::string_view originText = text.substr(0, x);
    if (!ParseHint(originText, origin) || !ParseHint(text.substr(x + 1), target))
        return SanMove{SanNoMove};
    if (originText.size() == 1 && origin.piece < 0) origin.piece = Position::Pawn;

    // A pawn that has just made a double step can be taken on the square it
    // passed, so a pawn stands there for the matching of targets; only our
    // own pawns may use it.
    int epSquare = -1;
    if (pos.epFile >= 0 && pos.epFile < 8) {
        const int rank = side == Position::White ? 5 : 2;
        if (pos.PieceAt(pos.epFile, rank) == 0) epSquare = Position::Index(pos.epFile, rank);
    }
    const int ownPawn = Position::MakePiece(side, Position::Pawn);

    PairCounter counter(pos);
    // Any enemy piece ("exd5") is what the king test gathered already.
    SquareSet targets = target.piece < 0 ? counter.Safety().Enemies() & HintSquares(target)
                                         : Matching(pos.board, 1 - side, target);
    if (epSquare >= 0 && (target.piece < 0 || target.piece == Position::Pawn))
        targets |= (SquareSet{1} << epSquare) & HintSquares(target);
    if (!targets) return SanMove{SanNoMove};

    SquareSet candidates = Candidates(pos, side, origin, targets, counter.Safety());
    while (candidates) {
        const int from = PopSquare(candidates);
        const bool pawn = pos.board[static_cast<size_t>(from)] == ownPawn;
        SquareSet toSet = targets;
        while (toSet) {
            const int to = PopSquare(toSet);
            if (to == epSquare && !pawn) continue;
            if (!Reaches(origin.piece, side, from, to)) continue;
            if (!counter.Add(from, to)) return counter.Result();
        }
    }
    return counter.Result();
}

SanMove ResolveMove(std::string_view text, const Position& pos) {
    if (text.size() < 2) return SanMove{SanNoMove};
    size_t t = text.size();
    while (t > 0 && !IsFile(text[t - 1])) --t;
    if (t == 0) return SanMove{SanNoMove};
    const size_t targetAt = t - 1;
    SquareHint target;
    const std::string_view targetText = text.substr(targetAt);
    if (!ParseHint(targetText, target) || target.piece >= 0) return SanMove{SanNoMove};
    std::string_view originText = text.substr(0, targetAt);
    if (!originText.empty() && originText.back() == '-') originText.remove_suffix(1);
    SquareHint origin;
    if (!ParseHint(originText, origin)) return SanMove{SanNoMove};
    const bool pieceGiven = origin.piece >= 0;
    if (originText.empty() || (originText.size() == 1 && !pieceGiven))
        origin.piece = Position::Pawn;
    const bool bareFile = target.rank < 0;
    if (pieceGiven && bareFile && (targetAt == 0 || !IsRank(text[targetAt - 1])))
        return SanMove{SanNoMove};
    if (bareFile && originText.size() == 1 && origin.file >= 0 &&
        std::abs(origin.file - target.file) != 1)
        return SanMove{SanNoMove};

    const int side = Side(pos);
    PairCounter counter(pos);
    const SquareSet targets = HintSquares(target);
    SquareSet candidates = Candidates(pos, side, origin, targets, counter.Safety());
    while (candidates) {
        const int from = PopSquare(candidates);
        SquareSet toSet = targets;
        while (toSet) {
            const int to = PopSquare(toSet);
            if (!Reaches(origin.piece, side, from, to)) continue;
            if (!counter.Add(from, to)) return counter.Result();
        }
    }
    return counter.Result();
}

SanMove ResolveExact(std::string_view text, const Position& pos) {
    const size_t x = FindX(text);
    return x == std::string_view::npos ? ResolveMove(text, pos) : ResolveCapture(text, x, pos);
}

}  // namespace

SanMove ResolveSan(std::string_view text, const Position& pos) {
    if (text.size() > kMaxMoveText) return SanMove{SanNoMove};
    // Which lower-case "b"s might be bishops: a leading one not followed by a
    // rank digit, and one right after the "x" unless a rank digit follows.
    int variable[2];
    int variableCount = 0;
    bool leadingDouble = false;
    if (!text.empty() && text[0] == 'b' && (text.size() < 2 || !IsRank(text[1]))) {
        variable[variableCount++] = 0;
        leadingDouble = text.size() >= 2 && text[1] == 'b';
    }
    const size_t x = FindX(text);
    if (x != std::string_view::npos && x + 1 < text.size() && text[x + 1] == 'b' &&
        (x + 2 == text.size() || !IsRank(text[x + 2])))
        variable[variableCount++] = static_cast<int>(x + 1);
    if (variableCount == 0) return ResolveExact(text, pos);

    TextBuffer reading;
    reading.size = text.size();
    int total = 0;
    bool sawCheck = false;
    SanMove chosen;
    for (int mask = 0; mask < (1 << variableCount); ++mask) {
        for (size_t i = 0; i < text.size(); ++i) reading.chars[i] = text[i];
        bool skip = false;
        for (int v = 0; v < variableCount; ++v) {
            const bool asBishop = (mask >> v) & 1;
            // A leading "bb" is a bishop on the b-file, never a pawn.
            if (variable[v] == 0 && leadingDouble && !asBishop) skip = true;
            reading.chars[static_cast<size_t>(variable[v])] = asBishop ? 'B' : 'b';
        }
        if (skip) continue;
        const SanMove move = ResolveExact(reading.view(), pos);
        if (move.result == SanOk) {
            ++total;
            chosen = move;
        } else if (move.result == SanAmbiguous) {
            total += 2;
        } else if (move.result == SanLeavesCheck) {
            sawCheck = true;
        }
    }
    if (total == 1) return chosen;
    if (total == 0) return SanMove{sawCheck ? SanLeavesCheck : SanNoMove};
    return ResolveExact(text, pos);
}

namespace {

bool NeedsDisambiguation(std::string_view text, const Position& before) {
    const SanMove move = ResolveSan(text, before);
    if (move.result == SanAmbiguous) return true;
    if (move.result != SanOk)
        Diagnostics::Write("shouldn't happen. illegal move given to build_pretty_move\n");
    return false;
}

void AppendSquare(std::string& text, int file, int rank) {
    text += static_cast<char>('a' + file);
    text += static_cast<char>('1' + rank);
}

}  // namespace

std::string build_pretty_move(int fromFile, int fromRank, int toFile, int toRank,
                              const Position& before, const Position& after) {
    std::string text;
    if (!Position::OnBoard(fromFile, fromRank) || !Position::OnBoard(toFile, toRank)) return text;
    const int piece = before.PieceAt(fromFile, fromRank);
    const int type = Position::TypeOf(piece);
    const int captured = before.PieceAt(toFile, toRank);
    const char fileChar = static_cast<char>('a' + fromFile);
    const char rankChar = static_cast<char>('1' + fromRank);
    if (type == Position::Pawn) {
        if (fromFile == toFile) {
            AppendSquare(text, toFile, toRank);
        } else {
            text += fileChar;
            text += 'x';
            AppendSquare(text, toFile, toRank);
            const int capturedType = Position::TypeOf(captured);
            if (captured != 0 && capturedType >= Position::Knight &&
                capturedType <= Position::Queen && NeedsDisambiguation(text, before))
                text.insert(1, 1, rankChar);
        }
    } else {
        const char letter = Position::PieceLetter(type);
        const char* tail = captured != 0 ? "x" : "";
        const auto build = [&](std::string_view qualifier) {
            text.assign(1, letter);
            text += qualifier;
            text += tail;
            AppendSquare(text, toFile, toRank);
        };
        const char fileOnly[] = {fileChar, 0};
        const char rankOnly[] = {rankChar, 0};
        const char both[] = {fileChar, rankChar, 0};
        build("");
        if (NeedsDisambiguation(text, before)) {
            build(fileOnly);
            // Captures go from the file straight to the full square.
            if (captured == 0 && NeedsDisambiguation(text, before)) build(rankOnly);
            if (NeedsDisambiguation(text, before)) build(both);
        }
    }
    const int promoted = after.PieceAt(toFile, toRank);
    if (promoted != piece) {
        text += '=';
        text += Position::PieceLetter(Position::TypeOf(promoted));
    }
    if (Position::InCheck(1 - Position::ColourOf(piece), after.board)) text += '+';
    return text;
}

namespace {

// "e1g1" and the like name castling when the king stands on its home square.
int KingMoveCastling(std::string_view word, const Position& pos, int side) {
    const int home = pos.kingHomeFile[side];
    const int back = side == Position::White ? 0 : 7;
    if (word.size() != 4 || (home != 3 && home != 4) ||
        pos.PieceAt(home, back) != Position::MakePiece(side, Position::King))
        return 0;
    const char rank = side == Position::White ? '1' : '8';
    if (word[0] != 'a' + home || word[1] != rank || word[3] != rank) return 0;
    if (word[2] == (home == 4 ? 'g' : 'b')) return Position::CastleShort;
    if (word[2] == (home == 4 ? 'c' : 'f')) return Position::CastleLong;
    return 0;
}

// What the reader found: the move (or the castling kind) and the result.
struct ReadOutcome {
    int result = SanNoMove;
    int castle = 0;
    SanMove move;
};

// The reader proper. `next` must come in as a copy of `in` (the callers make
// it so, which saves copying the position twice); it is the position after
// the move on SanOk.
ReadOutcome ReadSanMove(std::string_view text, const Position& in, Position& next) {
    const int side = Side(in);
    ReadOutcome outcome;
    next.sideToMove = 1 - side;

    // Check and mate signs end the move. The castling words are compared
    // without them too, so "O-O+" castles just as "Qh5+" moves the queen.
    // One pass instead of three searches: the texts are a few characters long.
    size_t plus = std::string_view::npos;
    size_t hash = std::string_view::npos;
    size_t equals = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned mark = MarkOf(text[i]);
        if (!mark) continue;
        if ((mark & kMarkPlus) && plus == std::string_view::npos) plus = i;
        if ((mark & kMarkHash) && hash == std::string_view::npos) hash = i;
        if ((mark & kMarkEquals) && equals == std::string_view::npos) equals = i;
    }
    const size_t checkCut = plus != std::string_view::npos
                                ? plus
                                : (hash != std::string_view::npos ? hash : text.size());
    // Nothing longer than this (plus one dash) can name a move.
    if (std::min(checkCut, equals) > kMaxMoveText + 1) return outcome;

    TextBuffer buffer;
    buffer.size = std::min(checkCut, buffer.chars.size());
    for (size_t i = 0; i < buffer.size; ++i) buffer.chars[i] = Normalise(text[i]);

    // Only castling words start with "o"; looking at that one character
    // first also spares the comparisons reading the bytes just written.
    const std::string_view word = buffer.view();
    if (buffer.size > 0 && buffer.chars[0] == 'o') {
        if (word == "oo" || word == "o-o") outcome.castle = Position::CastleShort;
        if (word == "ooo" || word == "o-o-o") outcome.castle = Position::CastleLong;
    }

    const bool dashRemoved = buffer.size >= 3 && buffer.chars[2] == '-';
    if (dashRemoved) {
        for (size_t i = 2; i + 1 < buffer.size; ++i) buffer.chars[i] = buffer.chars[i + 1];
        --buffer.size;
    }
    if (!outcome.castle) outcome.castle = KingMoveCastling(buffer.view(), in, side);
    if (outcome.castle) {
        outcome.result = Position::Castle(outcome.castle, in, next);
        return outcome;
    }

    int promotion = Position::Queen;
    if (equals != std::string_view::npos) {
        if (equals + 1 >= text.size()) return outcome;
        const char letter = ToUpper(Normalise(text[equals + 1]));
        if (letter != 'N' && letter != 'B' && letter != 'R' && letter != 'Q') return outcome;
        promotion = PieceOfLetter(letter);
        // The dash removal above shifted everything after the third place.
        const size_t cut = dashRemoved && equals > 2 ? equals - 1 : equals;
        if (cut < buffer.size) buffer.size = cut;
    }

    // Resolved straight into the outcome: copying the freshly written move
    // as a whole would stall on reading it back.
    outcome.move = ResolveSan(buffer.view(), in);
    const SanMove& move = outcome.move;
    outcome.result = move.result;
    if (move.result != SanOk) return outcome;

    int code = move.code;
    // A d-file king has its short rook on the a-file.
    if (in.kingHomeFile[side] == 3 &&
        (code == Position::MoveRookFromHCorner || code == Position::MoveRookFromACorner))
        code = code == Position::MoveRookFromHCorner ? Position::MoveRookFromACorner
                                                     : Position::MoveRookFromHCorner;
    if (code == Position::MoveRookFromHCorner) next.shortRookMoved[side] = 1;
    if (code == Position::MoveRookFromACorner) next.longRookMoved[side] = 1;
    if (code == Position::MoveKing) next.kingMoved[side] = 1;
    next.epFile = code == Position::MovePawnDouble ? move.toFile : -1;

    const size_t from = static_cast<size_t>(Position::Index(move.fromFile, move.fromRank));
    const size_t to = static_cast<size_t>(Position::Index(move.toFile, move.toRank));
    int piece = in.board[from];
    const int lastRank = side == Position::White ? 7 : 0;
    if (piece == Position::MakePiece(side, Position::Pawn) && move.toRank == lastRank)
        piece = Position::MakePiece(side, promotion);
    next.board[from] = 0;
    next.board[to] = static_cast<int8_t>(piece);
    if (move.code == Position::MoveEnPassant)
        next.board[static_cast<size_t>(Position::Index(move.toFile, move.fromRank))] = 0;
    return outcome;
}

}  // namespace

int ReadSan(std::string_view text, const Position& in, std::string* san, std::string* verbose,
            Position& out) {
    Position next = in;
    const ReadOutcome outcome = ReadSanMove(text, in, next);
    if (outcome.result != SanOk) return outcome.result;
    if (outcome.castle) {
        const bool isShort = outcome.castle == Position::CastleShort;
        if (san) {
            *san = isShort ? "O-O" : "O-O-O";
            if (Position::InCheck(next.sideToMove, next.board)) *san += '+';
        }
        if (verbose) *verbose = isShort ? "o-o" : "o-o-o";
    } else {
        const SanMove& m = outcome.move;
        if (san) *san = build_pretty_move(m.fromFile, m.fromRank, m.toFile, m.toRank, in, next);
        if (verbose) {
            const int moved = in.PieceAt(m.fromFile, m.fromRank);
            *verbose = {Position::PieceLetter(Position::TypeOf(moved)),
                        '/',
                        static_cast<char>('a' + m.fromFile),
                        static_cast<char>('1' + m.fromRank),
                        '-',
                        static_cast<char>('a' + m.toFile),
                        static_cast<char>('1' + m.toRank)};
        }
    }
    out = next;
    return SanOk;
}

std::optional<std::string> algebraicToSmith(std::string_view san, Position& pos) {
    for (size_t i = 0; i < san.size(); ++i) {
        if (MarkOf(san[i]) & kMarkAnnotation) {
            san = san.substr(0, i);
            break;
        }
    }
    if (san.size() >= 3 && san.substr(san.size() - 2) == "ep") san.remove_suffix(2);

    const int side = Side(pos);
    if (san.size() >= 2 && san[1] == '@') {
        if (san.size() < 4) return std::nullopt;
        const char file = ToLower(san[2]);
        const char rank = san[3];
        if (!IsFile(file) || !IsRank(rank)) return std::nullopt;
        const char letter = ToUpper(san[0]);
        const int type = PieceOfLetter(letter);
        if (!type || pos.PieceAt(file - 'a', rank - '1') != 0) return std::nullopt;
        std::string smith{side == Position::White ? letter : ToLower(letter), '@', file, rank};
        pos.board[static_cast<size_t>(Position::Index(file - 'a', rank - '1'))] =
            static_cast<int8_t>(Position::MakePiece(side, type));
        pos.sideToMove = 1 - side;
        return smith;
    }

    Position next = pos;
    const ReadOutcome outcome = ReadSanMove(san, pos, next);
    if (outcome.result != SanOk) return std::nullopt;

    // At most six characters: built in place and made a string once, which
    // stays in the string's own small buffer.
    char smith[6];
    size_t length = 0;
    const char backRank = side == Position::White ? '1' : '8';
    if (outcome.castle) {
        const bool isShort = outcome.castle == Position::CastleShort;
        const int home = pos.kingHomeFile[side];
        // Castle succeeds only for a king on the d- or e-file.
        const char to = home == 4 ? (isShort ? 'g' : 'c') : (isShort ? 'b' : 'f');
        for (const char c :
             {static_cast<char>('a' + home), backRank, to, backRank, isShort ? 'c' : 'C'})
            smith[length++] = c;
        pos = next;
        return std::optional<std::string>(std::in_place, smith, length);
    }

    const SanMove& m = outcome.move;
    smith[length++] = static_cast<char>('a' + m.fromFile);
    smith[length++] = static_cast<char>('1' + m.fromRank);
    smith[length++] = static_cast<char>('a' + m.toFile);
    smith[length++] = static_cast<char>('1' + m.toRank);
    const int moved = pos.PieceAt(m.fromFile, m.fromRank);
    const int captured = pos.PieceAt(m.toFile, m.toRank);
    if (captured != 0) {
        const int type = Position::TypeOf(captured);
        if (type < 0 || type > 6) {
            Diagnostics::Write("Error in algebraicToSmith: piece=" + std::to_string(type) + "\n");
        } else {
            smith[length++] = ToLower(Position::PieceLetter(type));
        }
    }
    const int arrived = next.PieceAt(m.toFile, m.toRank);
    if (arrived != moved) {
        const int type = Position::TypeOf(arrived);
        if (type >= Position::Knight && type <= Position::Queen) {
            smith[length++] = Position::PieceLetter(type);
        } else {
            Diagnostics::Write("Error in algebraicToSmith: Illegal promotion.\n");
            smith[length++] = 'Q';
        }
    }
    // En passant is a pawn capture: no capture letter and no promotion came
    // before it, so there is room for it.
    if (Position::TypeOf(moved) == Position::Pawn && m.fromFile != m.toFile &&
        m.fromRank != m.toRank && pos.PieceAt(m.toFile, m.fromRank) != 0 &&
        next.PieceAt(m.toFile, m.fromRank) == 0 && length < sizeof smith)
        smith[length++] = 'E';
    pos = next;
    return std::optional<std::string>(std::in_place, smith, length);
}

std::string BuildSmithMove(const GameRecord& record, std::string_view origin,
                           std::string_view destination, char promotion) {
    if (origin.size() >= 2 && origin[1] == '@') {
        if (destination.size() < 2) return {};
        std::string smith(origin.substr(0, 2));
        smith += destination.substr(0, 2);
        return smith;
    }
    if (origin.size() < 2 || destination.size() < 2) return {};
    const auto from = BoardText::SquareIndex(origin[0], origin[1]);
    const auto to = BoardText::SquareIndex(destination[0], destination[1]);
    if (!from || !to) return {};
    const BoardText& board = record.Board();
    std::string smith{origin[0], origin[1], destination[0], destination[1]};
    const char target = board[*to];
    if (target != BoardText::kEmpty) smith += ToLower(target);
    const char mover = board[*from];
    const int fileDistance = std::abs(origin[0] - destination[0]);
    if ((mover == 'K' || mover == 'k') && fileDistance == 2) {
        if (destination[0] == 'g' || destination[0] == 'b') smith += 'c';
        if (destination[0] == 'c' || destination[0] == 'f') smith += 'C';
        return smith;
    }
    if (mover != 'P' && mover != 'p') return smith;
    const bool white = mover == 'P';
    const char lastRank = white ? '8' : '1';
    const char epRank = white ? '5' : '4';
    if (destination[1] == lastRank) {
        const char letter = ToUpper(promotion);
        if (letter >= 'A' && letter <= 'Z') smith += letter;
    } else if (origin[1] == epRank && fileDistance != 0 && target == BoardText::kEmpty &&
               board[*BoardText::SquareIndex(destination[0], epRank)] == (white ? 'p' : 'P')) {
        smith += 'E';
    }
    return smith;
}
