// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ChannelColorsDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "console/ConsoleFont.h"
#include "net/ColourWord.h"
#include "net/TextStyles.h"

namespace {

constexpr int kHighestChannel = 9999;

QColor Rgb(uint32_t word) {
    return QColor(ColourWord::Red(word), ColourWord::Green(word), ColourWord::Blue(word));
}

}  // namespace

CChannelColorsDlg::CChannelColorsDlg(const CTextStyles& styles, QWidget* parent)
    : QDialog(parent),
      m_channels(styles.Channels()),
      m_defaultWord(styles.Colour(TextClass::DefaultChannel)),
      m_background(styles.Colour(TextClass::Background)) {
    setWindowTitle(QStringLiteral("Customize channel colors"));
    m_channel = new QSpinBox(this);
    m_channel->setRange(0, kHighestChannel);
    auto* colour = new QPushButton(QStringLiteral("Color..."), this);
    m_bold = new QCheckBox(QStringLiteral("Bold"), this);
    m_italic = new QCheckBox(QStringLiteral("Italics"), this);
    m_sample = new QLabel(QStringLiteral("Sample Text"), this);
    m_sample->setTextFormat(Qt::PlainText);
    m_sample->setAutoFillBackground(true);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(160, 40);
    m_sample->setFont(ConsoleFont::For(styles));

    auto* label = new QLabel(QStringLiteral("&Channel:"), this);
    label->setBuddy(m_channel);
    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_channel, 0, 1);
    grid->addWidget(colour, 0, 2);
    grid->addWidget(m_bold, 1, 1);
    grid->addWidget(m_italic, 1, 2);
    grid->addWidget(m_sample, 2, 0, 1, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(m_channel, &QSpinBox::valueChanged, this, &CChannelColorsDlg::ShowChannel);
    connect(colour, &QPushButton::clicked, this, &CChannelColorsDlg::ChooseColour);
    const auto flags = [this] {
        if (m_showing) return;
        uint32_t word = Word() & ColourWord::kRgbMask;
        if (m_bold->isChecked()) word |= ColourWord::kBold;
        if (m_italic->isChecked()) word |= ColourWord::kItalic;
        SetWord(word);
    };
    connect(m_bold, &QCheckBox::toggled, this, flags);
    connect(m_italic, &QCheckBox::toggled, this, flags);
    ShowChannel();
}

uint32_t CChannelColorsDlg::Word() const {
    const auto found = m_channels.find(m_channel->value());
    return found != m_channels.end() ? found->second : m_defaultWord;
}

void CChannelColorsDlg::SetWord(uint32_t word) {
    m_channels[m_channel->value()] = word;
    ShowChannel();
}

void CChannelColorsDlg::ShowChannel() {
    const uint32_t word = Word();
    m_showing = true;
    m_bold->setChecked(ColourWord::Bold(word));
    m_italic->setChecked(ColourWord::Italic(word));
    m_showing = false;
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::Window, Rgb(m_background));
    palette.setColor(QPalette::WindowText, Rgb(word));
    m_sample->setPalette(palette);
    QFont font = m_sample->font();
    font.setBold(ColourWord::Bold(word));
    font.setItalic(ColourWord::Italic(word));
    m_sample->setFont(font);
}

void CChannelColorsDlg::ChooseColour() {
    const QColor chosen = QColorDialog::getColor(Rgb(Word()), this);
    if (!chosen.isValid()) return;
    SetWord(ColourWord::Make(chosen.red(), chosen.green(), chosen.blue()) |
            (Word() & ~ColourWord::kRgbMask));
}
