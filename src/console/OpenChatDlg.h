// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;

// "Open Chat Window": which shouts, channels and people a new channel/chat
// console is for. The caller reads the boxes after OK.
class COpenChatDlg : public QDialog {
    Q_OBJECT
  public:
    explicit COpenChatDlg(QWidget* parent = nullptr);

    // Shouts, s-shouts, announcements.
    std::array<bool, 3> Routing() const;
    QString ChannelsText() const;
    QString PeopleText() const;

    QCheckBox* ShoutsBox() const { return m_boxes[0]; }
    QCheckBox* SShoutsBox() const { return m_boxes[1]; }
    QCheckBox* AnnouncementsBox() const { return m_boxes[2]; }
    QLineEdit* ChannelsEdit() const { return m_channels; }
    QLineEdit* PeopleEdit() const { return m_people; }

  private:
    std::array<QCheckBox*, 3> m_boxes{};
    QLineEdit* m_channels = nullptr;
    QLineEdit* m_people = nullptr;
};
