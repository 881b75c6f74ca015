// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "net/PopupContent.h"

class QLabel;
class QPushButton;

// A challenge or suggestion popup: a text and two buttons, each of which
// may send a command to the server (or, for a suggested web address, open
// it). It is modeless and appears without taking the keyboard from the
// window the user is typing in. Up to five popups get a place of their own
// down the left edge of the screen; more pile up on the first place.
// CPopupList creates them and closes them when the server withdraws them.
class CTriChoiceDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kSlotCount = 5;
    static constexpr int kLeft = 20;
    static constexpr int kTop = 20;
    static constexpr int kSlotHeight = 100;

    // What the buttons need from the connection.
    struct Actions {
        std::function<void(std::string_view command)> send;
        // True when some program took the address.
        std::function<bool(const std::string& url)> openUrl;
    };

    CTriChoiceDlg(PopupContent popup, Actions actions, QWidget* parent);
    ~CTriChoiceDlg() override;

    const PopupContent& Popup() const { return m_popup; }
    // The screen place taken, or -1 when all were taken.
    int Slot() const { return m_slot; }
    QPushButton* FirstButton() const { return m_first; }
    QPushButton* SecondButton() const { return m_second; }
    QString Text() const;

    // Shows it at its place, leaving the keyboard focus where it was.
    void ShowInPlace();
    // Closes it without sending anything: the server took it back.
    void Dismiss();

  protected:
    // The second button; Escape and the close box answer as it does.
    void reject() override;

  private:
    void First();
    static int TakeSlot();
    void ReleaseSlot();

    PopupContent m_popup;
    Actions m_actions;
    int m_slot = -1;
    bool m_answered = false;
    QLabel* m_text = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_second = nullptr;
    // Which places are taken, for the whole program: popups of every
    // connection share the screen.
    static std::array<bool, kSlotCount> s_taken;
};
