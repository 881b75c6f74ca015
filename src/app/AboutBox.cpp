// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/AboutBox.h"

#include <QMessageBox>

#include "Version.h"

QString CAboutBox::Text() {
    return QString::fromLatin1(kVersionText) +
           QStringLiteral("\nA client for the VCX internet chess server.");
}

void CAboutBox::Show(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("About Kordane 2"), Text(),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
