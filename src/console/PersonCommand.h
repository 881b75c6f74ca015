// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>

// The commands of the person popup, offered wherever a name can be picked:
// a selection in a console, a game window's player label, the notify list.
// The ids are those of the popup's items.
enum PersonCommandId : int {
    kPersonFinger = 32900,
    kPersonVars = 32901,
    kPersonPing = 32902,
    kPersonMatch = 32903,
    kPersonAssess = 32904,
    kPersonChat = 32905,
    kPersonObserve = 32906,
    kPersonFollow = 32907,
    kPersonHistory = 32908,
    kPersonLiblist = 32909,
    kPersonAddNotify = 32910,
    kPersonAddNoPlay = 32911,
    kPersonAddCensor = 32912,
    kPersonRemoveNotify = 32913,
    kPersonRemoveNoPlay = 32914,
    kPersonRemoveCensor = 32915,
    kPersonStored = 32916,
    kPersonCopy = 32983,
    kPersonCopyPaste = 32984,
};

// A picked name as the server takes it: no leading blanks, at most 16
// characters (server handles are shorter; a selection may be a whole
// sentence), nothing from a line break on, no trailing blanks.
QString CleanPersonName(const QString& name);

// The command line (ending in "\n") the popup item `id` sends for `name`, or
// an empty string for the items that send nothing themselves (Match, Chat,
// the copies) and for ids that are not person commands.
QString PersonCommand(int id, const QString& name);
