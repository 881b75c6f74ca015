// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/PgnLists.h"

#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <algorithm>

#include "app/MainFrame.h"
#include "app/WindowLayout.h"
#include "chess/PgnFile.h"
#include "game/GameView.h"
#include "lists/PGNListView.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// Placed where no slot was stored yet.
constexpr QSize kFirstSize(560, 320);

}  // namespace

CPgnLists::CPgnLists(CMainFrame& frame) : QObject(&frame), m_frame(frame) {
    m_chooser = [this] {
        QFileDialog dialog(&m_frame, QString::fromLatin1(kDialogTitle), QString(),
                           QString::fromLatin1(kFilter));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("pgn"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().front();
    };
}

CPGNListView* CPgnLists::Open(CKordane2Doc& doc) {
    if (ListOf(doc)) return nullptr;
    const QString path = m_chooser();
    if (path.isEmpty()) return nullptr;
    return OpenFile(doc, path);
}

CPGNListView* CPgnLists::OpenFile(CKordane2Doc& doc, const QString& path) {
    if (ListOf(doc)) return nullptr;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A longer path would not have come back from the dialog; such a name is
    // not a file this list can open.
    PgnFile file = path.size() <= kMaxPath ? PgnFile::ReadPgnFile(path.toLocal8Bit().toStdString())
                                           : PgnFile();
    QApplication::restoreOverrideCursor();
    if (file.Games().empty()) {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(CMainFrame::kAppTitle),
                        QString::fromLatin1(PgnFile::kOpenErrorText.data(),
                                            static_cast<qsizetype>(PgnFile::kOpenErrorText.size())),
                        QMessageBox::Ok, &m_frame);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return nullptr;
    }

    auto* view = new CPGNListView(doc, std::move(file));
    auto* frame = new QMdiSubWindow;
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(path);
    frame->resize(kFirstSize);
    m_frame.MdiArea()->addSubWindow(frame);
    doc.AttachWindow(frame);
    m_frame.Layout().Open(frame, WindowKind::PgnList, &doc);
    view->ApplyWidths(m_frame.Settings().ColumnWidths(CSettings::ListColumns::PgnList));
    m_lists.emplace_back(view);

    connect(view, &CPGNListView::columnWidthsChanged, this, [this](const QString& widths) {
        m_frame.Settings().SetColumnWidths(CSettings::ListColumns::PgnList, widths.toStdString());
    });
    connect(view, &CPGNListView::viewGame, this, [this, &doc](const PgnGame& game) {
        if (CGameView* board = m_frame.OpenGameWindow(doc)) board->LoadPgnGame(game);
    });
    connect(view, &CPGNListView::closing, this, [this, view, frame] { Closing(view, frame); });
    frame->show();
    view->setFocus();
    return view;
}

CPGNListView* CPgnLists::ListOf(const CKordane2Doc& doc) const {
    for (const QPointer<CPGNListView>& view : m_lists) {
        if (view && view->Doc() == &doc) return view;
    }
    return nullptr;
}

void CPgnLists::Closing(CPGNListView* view, QMdiSubWindow* frame) {
    m_frame.Layout().Close(frame);
    // Gone from here at once: the connection may open the next list while
    // this one is still being deleted.
    std::erase_if(m_lists, [view](const QPointer<CPGNListView>& v) { return !v || v == view; });
}
