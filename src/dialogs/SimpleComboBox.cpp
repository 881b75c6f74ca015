// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/SimpleComboBox.h"

#include <QLineEdit>
#include <QListWidget>

CSimpleComboBox::CSimpleComboBox(int editHeight, QWidget* parent)
    : QWidget(parent),
      m_editHeight(editHeight),
      m_edit(new QLineEdit(this)),
      m_list(new QListWidget(this)) {
    // The field is the control's focus; the list follows it with the arrows.
    setFocusProxy(m_edit);
    m_list->setFocusPolicy(Qt::NoFocus);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) m_edit->setText(m_list->item(row)->text());
    });
}

int CSimpleComboBox::CurrentIndex() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? m_list->currentRow() : -1;
}

void CSimpleComboBox::SetCurrentIndex(int index) {
    if (index < 0 || index >= m_list->count()) {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
        return;
    }
    m_list->setCurrentRow(index);
}

void CSimpleComboBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int edit = std::min(m_editHeight, height());
    m_edit->setGeometry(0, 0, width(), edit);
    m_list->setGeometry(0, edit, width(), height() - edit);
}
