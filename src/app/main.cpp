// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <QApplication>
#include <string>
#include <vector>

#include "Version.h"
#include "app/Kordane2App.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kordane2"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionNumber));

    // The shell has already split the command line into arguments and
    // removed their quotes.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);

    CKordane2App app;
    if (!app.InitInstance(args)) return 1;
    return QApplication::exec();
}
