// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// What "Customize console" edits of an extra console. The helper texts and
// prefixes are in their joined form (entries separated by backslash-n).
struct ConsoleCustomization {
    std::array<bool, 3> routing{};  // shouts, s-shouts, announcements
    QString channels;
    QString title;
    QString helperTexts;
    QString helperPrefixes;
};

// "Customize console": the routing flags, channels, helper entries and title
// of one extra console. The helper boxes show one entry per line.
class CCustomizeConsoleDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CCustomizeConsoleDlg(const ConsoleCustomization& values, QWidget* parent = nullptr);

    // The values as the user left them; helper texts and prefixes as the
    // lines of their boxes.
    ConsoleCustomization Values() const;
    // Whether the user edited the helper texts or the prefixes.
    bool HelpersChanged() const;

    QCheckBox* Box(int index) const { return m_boxes[static_cast<size_t>(index)]; }
    QLineEdit* ChannelsEdit() const { return m_channels; }
    QLineEdit* TitleEdit() const { return m_title; }
    QPlainTextEdit* HelperTextsEdit() const { return m_texts; }
    QPlainTextEdit* HelperPrefixesEdit() const { return m_prefixes; }

  private:
    std::array<QCheckBox*, 3> m_boxes{};
    QLineEdit* m_channels = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_texts = nullptr;
    QPlainTextEdit* m_prefixes = nullptr;
    QString m_shownTexts;
    QString m_shownPrefixes;
};
