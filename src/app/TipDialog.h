// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>

class CProfile;
class QCheckBox;
class QPlainTextEdit;

// "Tip of the Day": one of twenty fixed hints, a different one each start.
// The next tip to show and whether to show tips at start-up are kept in
// the "Tips" section of the settings file.
class CTipDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kTipCount = 20;
    static constexpr const char* kSection = "Tips";
    static constexpr const char* kTipNumberKey = "TipNumber";
    static constexpr const char* kShowTipsKey = "ShowTips";

    // Shows the stored tip and stores the one after it.
    explicit CTipDialog(CProfile& profile, QWidget* parent = nullptr);
    ~CTipDialog() override;

    // At start-up: opens the dialog, without waiting for it, when the user
    // has not turned tips off. The dialog deletes itself when closed;
    // nullptr when none was opened.
    static CTipDialog* ShowAtStartup(CProfile& profile, QWidget* parent);

    static const char* Tip(int number);
    int Shown() const { return m_tip; }
    QString Text() const;

  private:
    void ShowTip();
    void SaveShowTips();

    CProfile& m_profile;
    int m_tip = 0;
    bool m_showTipsAtOpen = true;
    QPlainTextEdit* m_text = nullptr;
    QCheckBox* m_showTips = nullptr;
};
