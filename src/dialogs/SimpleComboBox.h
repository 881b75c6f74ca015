// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

// A combo box whose list is always shown under its edit field, as server
// dialogs may ask for: choosing an item copies it into the field, and the
// list's current row is the selection.
class CSimpleComboBox : public QWidget {
    Q_OBJECT
  public:
    // `editHeight` is the height of the field; the list takes the rest.
    CSimpleComboBox(int editHeight, QWidget* parent);

    QLineEdit* Edit() const { return m_edit; }
    QListWidget* List() const { return m_list; }
    // -1 when no item is chosen.
    int CurrentIndex() const;
    void SetCurrentIndex(int index);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int m_editHeight;
    QLineEdit* m_edit;
    QListWidget* m_list;
};
