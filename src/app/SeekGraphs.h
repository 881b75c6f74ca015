// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>

class CKordane2Doc;
class CSeekView;
class CSettings;
class CWindowLayout;
class QMdiArea;
class QMdiSubWindow;

// The seek graphs of every connection, as the main frame sees them: the
// Window menu's "Seek &Graph" and the start windows open one per connection
// (or bring the open one to the top); each takes its caption from the
// connection, its warnings and filter switch from the settings, and its
// place from the "Seek_%d" layout slot, which it stores again when it closes.
class CSeekGraphs : public QObject {
    Q_OBJECT
  public:
    CSeekGraphs(CWindowLayout& layout, CSettings& settings, QMdiArea* mdi, QObject* parent);

    CSeekView* Open(CKordane2Doc& doc);
    // The connection's graph, or nullptr.
    CSeekView* Of(const CKordane2Doc& doc) const;
    // "&Use SFilter" was switched: every graph judges its seeks again.
    void RecheckAll();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Hook(CSeekView& view);

    CWindowLayout& m_layout;
    CSettings& m_settings;
    QMdiArea* m_mdi;
};
