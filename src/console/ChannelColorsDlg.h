// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <cstdint>
#include <map>

class CTextStyles;
class QCheckBox;
class QLabel;
class QSpinBox;

// "Customize channel colors": picks a channel and gives it a style of its own,
// on a copy of the channel map. On OK the main frame takes Channels(); a
// channel left in the default channel style then drops out of the map.
class CChannelColorsDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CChannelColorsDlg(const CTextStyles& styles, QWidget* parent = nullptr);

    const std::map<int, uint32_t>& Channels() const { return m_channels; }

  private:
    uint32_t Word() const;
    void ShowChannel();
    void SetWord(uint32_t word);
    void ChooseColour();

    std::map<int, uint32_t> m_channels;
    uint32_t m_defaultWord = 0;
    uint32_t m_background = 0;
    QSpinBox* m_channel = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QLabel* m_sample = nullptr;
    bool m_showing = false;
};
