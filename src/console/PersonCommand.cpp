// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/PersonCommand.h"

namespace {

constexpr qsizetype kNameMax = 16;

struct Row {
    int id;
    const char* format;
};
constexpr Row kCommands[] = {
    {kPersonFinger, "Finger %1\n"},
    {kPersonVars, "Vars %1\n"},
    {kPersonPing, "Ping %1\n"},
    {kPersonAssess, "Assess %1\n"},
    {kPersonObserve, "Observe %1\n"},
    {kPersonFollow, "Follow %1\n"},
    {kPersonHistory, "History %1\n"},
    {kPersonLiblist, "Liblist %1\n"},
    {kPersonAddNotify, "+notify %1\n"},
    {kPersonAddNoPlay, "+noplay %1\n"},
    {kPersonAddCensor, "+censor %1\n"},
    {kPersonRemoveNotify, "-notify %1\n"},
    {kPersonRemoveNoPlay, "-noplay %1\n"},
    {kPersonRemoveCensor, "-censor %1\n"},
    {kPersonStored, "Stored %1\n"},
};

}  // namespace

QString CleanPersonName(const QString& name) {
    qsizetype first = 0;
    while (first < name.size() && name[first].isSpace()) ++first;
    QString clean = name.mid(first, kNameMax);
    // A selection over a line break is cut there: the break must never reach
    // the server as the end of the command and the start of another.
    for (qsizetype i = 0; i < clean.size(); ++i) {
        const QChar::Category category = clean[i].category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            clean.truncate(i);
            break;
        }
    }
    // Half a surrogate pair is no character at all.
    if (!clean.isEmpty() && clean.back().isHighSurrogate()) clean.chop(1);
    while (!clean.isEmpty() && clean.back().isSpace()) clean.chop(1);
    return clean;
}

QString PersonCommand(int id, const QString& name) {
    for (const Row& row : kCommands) {
        if (row.id == id) return QString::fromLatin1(row.format).arg(CleanPersonName(name));
    }
    return {};
}
