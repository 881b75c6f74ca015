// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Test stand-in for the piece art until its real source is in the tree.
// Not part of any program.
#include "game/PieceArt.h"

CPieceArt::CPieceArt() = default;
CPieceArt::~CPieceArt() = default;
