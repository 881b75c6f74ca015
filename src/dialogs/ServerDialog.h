// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/DialogAnswer.h"
#include "dialogs/DialogBuilder.h"
#include "dialogs/DialogBytes.h"

// A dialog box the server describes: its template arrives in pieces
// (DG_DIALOG_DATA), its initial values one by one (DG_DIALOG_DEFAULT), and
// DG_DIALOG_SHOW builds the box from the template and opens it. When the
// user ends it with OK, Cancel, Yes or No, the controls' state is collected
// and the matching answer template becomes the command line handed to
// `SetAnswerHandler`. CServerDialogSlot keeps the connection's one dialog.
class CServerDialog : public QDialog {
    Q_OBJECT
  public:
    // The results a dialog ends with besides the four buttons'.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdYes = 6;
    static constexpr int kIdNo = 7;
    static constexpr int kResultClosed = 3;   // a new dialog or DG_DIALOG_CLOSE
    static constexpr int kResultFailed = -1;  // the template could not be built
    CServerDialog(std::uint32_t templateSize, QWidget* parent);

    // The announced size was refused; the dialog must not be used.
    bool TooLarge() const { return m_bytes.TooLarge(); }
    CDialogBytes::AppendResult AppendData(std::string_view chars) { return m_bytes.Append(chars); }
    DialogDefaultStatus SetDefault(int control, std::string_view type, std::string_view value) {
        return SetDialogDefault(m_values, control, type, value);
    }

    // Builds the box and opens it window-modal. `answers` are the templates
    // for OK, Cancel, Yes and No. False (the dialog has then ended with
    // kResultFailed) when the template cannot be read.
    bool Open(int focusControl, const std::array<std::string, 4>& answers);
    bool Running() const { return m_running; }
    // Ends a running dialog with `result`, collecting nothing.
    void End(int result);

    const std::vector<SDialogControl>& Controls() const { return m_controls; }
    const SDialogValues& Values() const { return m_values; }

    // The formatted answer of a dialog ended by one of the four buttons
    // (empty answers are not handed on), and the warning text when an
    // answer template names an unknown value type.
    void SetAnswerHandler(std::function<void(const std::string&)> handler) {
        m_answer = std::move(handler);
    }
    void SetWarningHandler(std::function<void(const QString&)> handler) {
        m_warn = std::move(handler);
    }

    void done(int result) override;
    void reject() override;

  signals:
    // The dialog ended without an answer and deletes itself.
    void discarded();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Transfer();
    void Collect();
    void Finish(int buttonId);
    void Ended(int result);

    CDialogBytes m_bytes;
    SDialogValues m_values;
    int m_focusControl = 0;
    bool m_running = false;
    std::array<std::string, 4> m_answers;
    std::vector<SDialogControl> m_controls;
    std::function<void(const std::string&)> m_answer;
    std::function<void(const QString&)> m_warn;
};
