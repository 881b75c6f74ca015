// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/SoundsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Kordane2App.h"
#include "app/SoundPlayer.h"

CSoundsDialog::CSoundsDialog(CSoundPlayer& player, QWidget* parent)
    : QDialog(parent), m_player(player), m_table(player.Table()) {
    setWindowTitle(QStringLiteral("Customize Sounds"));

    m_events = new QComboBox(this);
    for (int i = 0; i < kSoundEventCount; ++i) {
        m_events->addItem(QString::fromLatin1(CSoundTable::DisplayName(SoundEvent(i))), i);
    }
    m_file = new QLineEdit(this);
    m_file->setMinimumWidth(260);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_mute = new QCheckBox(QStringLiteral("Mute"), this);
    auto* preview = new QPushButton(QStringLiteral("Preview"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Event:"), this), 0, 0);
    grid->addWidget(m_events, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Sound file:"), this), 1, 0);
    grid->addWidget(m_file, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(m_mute, 2, 1);
    grid->addWidget(preview, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(m_events, &QComboBox::currentIndexChanged, this, &CSoundsDialog::ShowSelected);
    connect(m_file, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_table.At(Selected()).path = text.toStdString(); });
    connect(m_mute, &QCheckBox::toggled, this,
            [this](bool on) { m_table.At(Selected()).muted = on; });
    connect(browse, &QPushButton::clicked, this, &CSoundsDialog::Browse);
    connect(preview, &QPushButton::clicked, this,
            [this] { m_player.Preview(m_file->text().toStdString()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_events->setCurrentIndex(0);
    ShowSelected();
}

SoundEvent CSoundsDialog::Selected() const {
    return SoundEvent(m_events->currentData().toInt());
}

void CSoundsDialog::ShowSelected() {
    const CSoundTable::Entry& entry = m_table.At(Selected());
    m_file->setText(QString::fromStdString(entry.path));
    const QSignalBlocker quiet(m_mute);
    m_mute->setChecked(entry.muted);
}

void CSoundsDialog::Browse() {
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("Choose sound file"), m_file->text(),
                                     QStringLiteral("Sound files (*.wav)"));
    if (chosen.isEmpty()) return;
    const std::string folder = CKordane2App::CurrentFolder().value_or(std::string());
    m_table.At(Selected()).path = RelativeToFolder(chosen.toStdString(), folder);
    ShowSelected();
}

std::string CSoundsDialog::RelativeToFolder(const std::string& path, const std::string& folder) {
    if (folder.empty()) return path;
    std::string prefix = folder;
    if (prefix.back() != '/') prefix += '/';
    // Only a whole folder name counts: "/home/ann" is no prefix of
    // "/home/anna/ding.wav".
    if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) {
        return path.substr(prefix.size());
    }
    return path;
}

void CSoundsDialog::accept() {
    m_player.SetTable(m_table);
    QDialog::accept();
}
