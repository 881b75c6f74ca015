// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/CustomizeTextDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/ConsoleFont.h"
#include "net/ColourWord.h"

namespace {

constexpr size_t kBackground = static_cast<size_t>(TextClass::Background);

QColor Rgb(uint32_t word) {
    return QColor(ColourWord::Red(word), ColourWord::Green(word), ColourWord::Blue(word));
}

}  // namespace

CCustomizeTextDlg::CCustomizeTextDlg(const CTextStyles& styles, QWidget* parent)
    : QDialog(parent), m_font(styles.Font()), m_qfont(ConsoleFont::For(styles)) {
    setWindowTitle(QStringLiteral("Customize text"));
    auto* grid = new QGridLayout;
    const auto& classes = CTextStyles::Classes();
    for (size_t i = 0; i < classes.size(); ++i) {
        m_colours[i] = styles.Colour(static_cast<TextClass>(i));
        const int row = static_cast<int>(i);
        Row& r = m_rows[i];
        r.sample = new QLabel(QString::fromLatin1(classes[i].label), this);
        r.sample->setTextFormat(Qt::PlainText);
        r.sample->setAutoFillBackground(true);
        r.sample->setContentsMargins(6, 2, 6, 2);
        auto* colour = new QPushButton(QStringLiteral("color..."), this);
        connect(colour, &QPushButton::clicked, this, [this, i] { ChooseColour(i); });
        grid->addWidget(r.sample, row, 0);
        grid->addWidget(colour, row, 1);
        // The background has a colour only.
        if (i == kBackground) continue;
        r.bold = new QCheckBox(QStringLiteral("Bold"), this);
        r.italic = new QCheckBox(QStringLiteral("Italics"), this);
        r.bold->setChecked(ColourWord::Bold(m_colours[i]));
        r.italic->setChecked(ColourWord::Italic(m_colours[i]));
        const auto flags = [this, i] {
            uint32_t& word = m_colours[i];
            word &= ColourWord::kRgbMask;
            if (m_rows[i].bold->isChecked()) word |= ColourWord::kBold;
            if (m_rows[i].italic->isChecked()) word |= ColourWord::kItalic;
            ShowSamples();
        };
        connect(r.bold, &QCheckBox::toggled, this, flags);
        connect(r.italic, &QCheckBox::toggled, this, flags);
        grid->addWidget(r.bold, row, 2);
        grid->addWidget(r.italic, row, 3);
    }

    auto* font = new QPushButton(QStringLiteral("Font..."), this);
    connect(font, &QPushButton::clicked, this, &CCustomizeTextDlg::ChooseFont);
    auto* note = new QLabel(QStringLiteral("Note: changes will only affect new text."), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(font);
    fontRow->addWidget(note, 1);
    layout->addLayout(fontRow);
    layout->addWidget(buttons);
    ShowSamples();
}

void CCustomizeTextDlg::ChooseColour(size_t index) {
    const QColor chosen = QColorDialog::getColor(Rgb(m_colours[index]), this);
    if (!chosen.isValid()) return;
    const uint32_t flags = m_colours[index] & ~ColourWord::kRgbMask;
    m_colours[index] = ColourWord::Make(chosen.red(), chosen.green(), chosen.blue()) | flags;
    ShowSamples();
}

void CCustomizeTextDlg::ChooseFont() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_qfont, this);
    if (!ok) return;
    m_qfont = chosen;
    m_font = ConsoleFont::ToLogFont(chosen);
    ShowSamples();
}

void CCustomizeTextDlg::ShowSamples() {
    const QColor background = Rgb(m_colours[kBackground]);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        QLabel* sample = m_rows[i].sample;
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Window, background);
        // The background row shows its name in the typed-text colour.
        const uint32_t word =
            i == kBackground ? m_colours[static_cast<size_t>(TextClass::Typed)] : m_colours[i];
        palette.setColor(QPalette::WindowText, Rgb(word));
        sample->setPalette(palette);
        QFont font = m_qfont;
        font.setBold(i != kBackground && ColourWord::Bold(word));
        font.setItalic(i != kBackground && ColourWord::Italic(word));
        sample->setFont(font);
    }
}

bool CCustomizeTextDlg::ApplyTo(CTextStyles& styles) const {
    const bool changed =
        styles.Colour(TextClass::Background) != m_colours[kBackground] || styles.Font() != m_font;
    for (size_t i = 0; i < m_colours.size(); ++i) {
        styles.SetColour(static_cast<TextClass>(i), m_colours[i]);
    }
    styles.SetFont(m_font);
    return changed;
}
