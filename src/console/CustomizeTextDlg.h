// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "net/TextStyles.h"

class QCheckBox;
class QLabel;

// "Customize text": the eleven text-class styles and the console font, edited
// together on a copy. The main frame applies the copy on OK; when the
// background or the font changed, every console re-applies both (other
// colours only reach new text).
class CCustomizeTextDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CCustomizeTextDlg(const CTextStyles& styles, QWidget* parent = nullptr);

    // Writes the edited styles into `styles`; true when the background or
    // the font changed.
    bool ApplyTo(CTextStyles& styles) const;

  private:
    struct Row {
        QLabel* sample = nullptr;
        QCheckBox* bold = nullptr;
        QCheckBox* italic = nullptr;
    };
    void ChooseColour(size_t index);
    void ChooseFont();
    void ShowSamples();

    std::array<uint32_t, kTextClassCount> m_colours{};
    std::array<Row, kTextClassCount> m_rows{};
    std::optional<CTextStyles::LogFont> m_font;
    QFont m_qfont;
};
