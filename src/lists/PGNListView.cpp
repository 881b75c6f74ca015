// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/PGNListView.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QStringDecoder>
#include <QTreeView>
#include <algorithm>
#include <numeric>

#include "chess/PgnGame.h"
#include "chess/PgnUpload.h"
#include "net/qt/Kordane2Doc.h"

namespace {

struct MenuItem {
    const char* text;
    CPGNListView::Command id;
};
constexpr MenuItem kMenu[] = {
    {"&View", CPGNListView::kView},
    {"&Upload", CPGNListView::kUpload},
    {"Upload to &Library", CPGNListView::kUploadToLibrary},
    {"&Display Tags", CPGNListView::kDisplayTags},
};

// PGN files are meant to be Latin-1, yet many are written in UTF-8: a tag
// that is valid UTF-8 is read as such, any other as Latin-1, so no byte of a
// name turns into a replacement mark.
QString TagText(std::string_view text) {
    const auto bytes = QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
    bool ascii = true;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : decoded;
}

}  // namespace

// A list row's link to its game and tags (kept in file order by m_rows).
class CPGNListView::Record : public CListModel::Record {
  public:
    explicit Record(const CPgnListRows::Row& row) : m_row(row) {}
    const CPgnListRows::Row& Row() const { return m_row; }

  private:
    const CPgnListRows::Row& m_row;
};

CPGNListView::CPGNListView(CKordane2Doc& doc, PgnFile file, QWidget* parent)
    : CGenericListView(&doc, parent), m_doc(doc), m_file(std::move(file)) {
    // The style's minimum would widen the narrow "#" and "Round" columns
    // beyond the widths the user left them at.
    List()->header()->setMinimumSectionSize(kMinimumWidth);
    m_send = [this](std::string_view line) { m_doc.Parser().SendCommand(line); };
    for (int c = 0; c < CPgnListRows::kColumnCount; ++c) {
        AddColumn(QString::fromLatin1(kHeadings[static_cast<size_t>(c)]), c,
                  kDefaultWidths[static_cast<size_t>(c)]);
    }
    Fill();
    connect(List()->header(), &QHeaderView::sectionResized, this,
            [this] { emit columnWidthsChanged(QString::fromStdString(WidthsText())); });
}

CPGNListView::~CPGNListView() {
    // The rows of the list point into m_rows and m_file: they go first.
    DeleteAllRows();
}

void CPGNListView::Fill() {
    m_rows.Fill(m_file.Games());
    BeginFill();
    for (int i = 0; i < m_rows.Count(); ++i) {
        const CPgnListRows::Row& row = m_rows.At(i);
        const int at = AddRow(QString::number(row.index), std::make_unique<Record>(row));
        for (int c = CPgnListRows::kWhite; c < CPgnListRows::kColumnCount; ++c) {
            SetCell(at, c, TagText(row.tags[static_cast<size_t>(c - 1)]));
        }
    }
    EndFill();
}

const CPGNListView::Record* CPGNListView::RecordOf(int row) const {
    // Every row of this list is filled by Fill with a Record.
    return static_cast<const Record*>(RecordAt(row));
}

const PgnGame* CPGNListView::GameAt(int row) const {
    const Record* record = RecordOf(row);
    return record ? record->Row().game : nullptr;
}

int CPGNListView::IndexAt(int row) const {
    const Record* record = RecordOf(row);
    return record ? record->Row().index : -1;
}

void CPGNListView::SortByColumn(int column) {
    if (column < 0 || column >= CPgnListRows::kColumnCount) return;
    m_sortState = CPgnListRows::NextSortState(m_sortState, column);
    // The order is found once on plain rows, with the comparison inlined;
    // the list then only follows each row's rank.
    const int state = m_sortState;
    const int count = RowCount();
    std::vector<const CPgnListRows::Row*> rows(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) rows[static_cast<size_t>(row)] = &RecordOf(row)->Row();
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&rows, state](int a, int b) {
        return CPgnListRows::Less(*rows[static_cast<size_t>(a)], *rows[static_cast<size_t>(b)],
                                  state);
    });
    std::vector<int> rank(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        rank[static_cast<size_t>(order[i])] = static_cast<int>(i);
    SortRows([&rank](int a, int b) {
        return rank[static_cast<size_t>(a)] < rank[static_cast<size_t>(b)];
    });
}

bool CPGNListView::BuildPopupMenu(QMenu& menu) {
    for (const MenuItem& item : kMenu) {
        QAction* action = menu.addAction(QString::fromLatin1(item.text));
        action->setData(static_cast<int>(item.id));
    }
    return true;
}

void CPGNListView::Run(int command) {
    const PgnGame* game = GameAt(SelectedRow());
    if (!game) return;
    switch (command) {
        case kView:
            emit viewGame(*game);
            break;
        case kUpload:
        case kUploadToLibrary:
            Upload(*game, command == kUploadToLibrary);
            break;
        case kDisplayTags:
            ShowTags(*game);
            break;
        default:
            break;
    }
}

void CPGNListView::Upload(const PgnGame& game, bool toLibrary) {
    // The upload plays a game against oneself; the server would mix its moves
    // with those of the game being played.
    if (m_doc.Games().played > 0) {
        Refuse(PgnUpload::kRefusedWhilePlaying.data());
        return;
    }
    for (const std::string& line : PgnUpload::Lines(game, m_doc.Values().ownHandle, toLibrary)) {
        m_send(line);
    }
}

void CPGNListView::ShowTags(const PgnGame& game) {
    m_doc.Parser().ShowLocalText(game.DisplayTags());
}

void CPGNListView::Refuse(const char* text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kordane 2"), QString::fromLatin1(text),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void CPGNListView::ApplyWidths(std::string_view text) {
    const CPgnListRows::Widths widths = CPgnListRows::ParseWidths(text, kDefaultWidths);
    SetColumnWidths(std::vector<int>(widths.begin(), widths.end()));
}

std::string CPGNListView::WidthsText() const {
    return CPgnListRows::FormatWidths(ColumnWidths());
}

void CPGNListView::closeEvent(QCloseEvent* event) {
    emit closing();
    CGenericListView::closeEvent(event);
}
