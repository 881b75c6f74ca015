// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/GameListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "console/ConsoleSubView.h"
#include "console/ConsoleView.h"
#include "lists/GameListText.h"
#include "net/TextUtil.h"
#include "net/WildNameCache.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr int kButtonHeight = 20;
// A file name longer than this is not taken from the save dialog.
constexpr int kMaxGameLogName = 300;

const char* const kCentredHeadings[CGameListView::kColumns] = {
    " # ", "   ",  "Rating",           "    ", "vs Rating", "    Opponent    ", "Time Controls",
    "ECO", "End ", "Date Game Started"};
const char* const kNormalHeadings[CGameListView::kColumns] = {
    "Index",       "  White Player  ", "Rating", "  Black Player  ",  "Rating",
    "Result Code", "Time controls",    "ECO",    "Date Game Started", "Note"};

struct MenuItem {
    const char* text;
    int id;
};
const MenuItem kRowItems[] = {
    {"&Examine", CGameListView::Examine},       {"&Sposition", CGameListView::Sposition},
    {"S&moves", CGameListView::Smoves},         {"S&pgn", CGameListView::Spgn},
    {"&Libappend", CGameListView::Libappend},   {"Lib&delete", CGameListView::Libdelete},
    {"M&ailstored", CGameListView::Mailstored}, {"Sa&ve PGN", CGameListView::SavePgn},
};
const MenuItem kStoredItems[] = {
    {"Offer &Draw", CGameListView::OfferDraw},
    {"Offer A&bort", CGameListView::OfferAbort},
    {"Ad&judication...", CGameListView::Adjudication},
    {"&Resign", CGameListView::Resign},
};

int CompareNoCase(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
}

}  // namespace

CGameListView::CGameListView(CKordane2Doc* doc, QWidget* parent)
    : CGenericListView(doc, parent),
      m_refresh(new QPushButton(QStringLiteral("Refresh"), this)),
      m_more(new QPushButton(QStringLiteral("More..."), this)),
      m_dontReuseBox(new QCheckBox(QStringLiteral("Don't Re-use"), this)),
      m_legend(new QLabel(QString::fromLatin1(kLegend), this)) {
    m_legend->hide();
    Layout()->addWidget(m_legend);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    for (QWidget* button : {static_cast<QWidget*>(m_refresh), static_cast<QWidget*>(m_more),
                            static_cast<QWidget*>(m_dontReuseBox)}) {
        button->setFixedHeight(kButtonHeight);
        buttons->addWidget(button, 1);
    }
    Layout()->addLayout(buttons);
    m_refresh->setEnabled(false);
    m_more->setEnabled(false);
    connect(m_refresh, &QPushButton::clicked, this, &CGameListView::Refresh);
    connect(m_more, &QPushButton::clicked, this, &CGameListView::More);
    connect(m_dontReuseBox, &QCheckBox::toggled, this, [this](bool on) { m_dontReuse = on; });

    if (doc) {
        m_hooks.send = [doc](std::string_view line) { doc->Parser().SendCommand(line); };
        m_hooks.sendToNewConsole = [doc](std::string_view line) {
            if (CConsoleView* console = CConsoleView::Of(*doc))
                console->OpenTemporaryConsole()->SendTagged(line);
            else
                doc->Parser().SendCommand(line);
        };
        m_hooks.echo = [doc](std::string_view text) { doc->Parser().EchoText(text); };
        m_hooks.ownHandle = [doc] { return doc->Values().ownHandle; };
        m_hooks.wildNames = [doc] { return CWildNameCache(doc->Profile()).ReadAll(); };
        doc->Parser().AddSink(this);
    }
    m_hooks.confirm = [this](const QString& text) {
        return QMessageBox::question(this, QApplication::applicationName(), text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    m_hooks.inform = [this](const QString& text, bool warning) {
        if (warning)
            QMessageBox::warning(this, QApplication::applicationName(), text);
        else
            QMessageBox::information(this, QApplication::applicationName(), text);
    };
    m_hooks.askAdjudication =
        [this](const QString& opponent) -> std::optional<CAdjudicationDlg::Answer> {
        CAdjudicationDlg dialog(opponent, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.Values();
    };
    m_hooks.askPgnFile = [this](const QString& current) -> std::optional<QString> {
        QFileDialog dialog(this, QStringLiteral("Save/Append PGN"), current,
                           QStringLiteral("PGN files (*.pgn)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("pgn"));
        // Saving appends to the file: it is not replaced, so there is
        // nothing to confirm.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    };
    SetUpColumns();
}

CGameListView::~CGameListView() {
    if (Doc()) Doc()->Parser().RemoveSink(this);
}

void CGameListView::SetDontReuse(bool on) {
    m_dontReuseBox->setChecked(on);
}

const CGameListView::GameRow* CGameListView::Row(int row) const {
    return static_cast<const GameRow*>(RecordAt(row));
}

int CGameListView::Receive(std::unique_ptr<CServerMessage>& message) {
    if (m_dontReuse || !message || message->kind != CServerMessage::Datagram) return 0;
    if (message->number == DG_GAMELIST_BEGIN) {
        Header(*message);
        message.reset();
        return 1;
    }
    if (message->number == DG_GAMELIST_ITEM) {
        Item(*message);
        message.reset();
        return 1;
    }
    return 0;
}

void CGameListView::Header(const CServerMessage& m) {
    DeleteAllRows();
    m_received = 0;
    m_refresh->setEnabled(true);
    m_more->setEnabled(m.Field(3) != m.Field(5));
    m_title = QString::fromStdString(m.Field(1) + " " + m.Field(2));
    setWindowTitle(m_title);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
                frame->setWindowTitle(m_title);
                frame->raise();
            }
        },
        Qt::QueuedConnection);

    const bool stored = EqualsNoCase(m.Field(1), "stored");
    if (stored != m_stored) {
        m_stored = stored;
        m_legend->setVisible(stored);
    }
    const bool centred = stored || EqualsNoCase(m.Field(1), "history");
    if (centred != m_playerCentred) {
        m_playerCentred = centred;
        SetUpColumns();
    }
    m_owner = m.Field(2);
    // Read once per list rather than once per row: the names live in the
    // settings file.
    m_wildNames = m_hooks.wildNames ? m_hooks.wildNames() : std::vector<std::string>{};
}

void CGameListView::SetUpColumns() {
    const char* const* headings = m_playerCentred ? kCentredHeadings : kNormalHeadings;
    for (int c = 0; c < kColumns; ++c) AddColumn(QString::fromLatin1(headings[c]), c, -1);
    if (m_hooks.columnWidths)
        SetColumnWidths(
            CGameListText::ColumnWidths(m_hooks.columnWidths(m_playerCentred), kColumns));
    m_sortSecond.fill(false);
}

void CGameListView::Item(const CServerMessage& m) {
    ++m_received;
    auto row = std::make_unique<GameRow>();
    GameRow& r = *row;
    r.event = m.Field(3);
    r.duration = 3 * m.FieldInt(13) + 2 * m.FieldInt(14);
    r.gameNumber = static_cast<unsigned long>(std::max(0, m.FieldInt(2)));
    r.index = m.FieldInt(1);
    r.white = m.Field(6);
    r.black = m.Field(8);
    r.whiteRating = CGameListText::Rating(m.Field(7));
    r.blackRating = CGameListText::Rating(m.Field(9));
    r.resultKind = m.FieldInt(18);
    r.winner = m.FieldInt(19);
    r.resultCode = m.FieldInt(20);
    r.eco = m.Field(17);
    r.date = m.Field(4);
    r.time = m.Field(5);

    std::string ownerRating = m.Field(7);
    std::string opponentRating = m.Field(9);
    if (m_playerCentred) {
        if (r.black == m_owner) {
            r.black = r.white;
            std::swap(r.whiteRating, r.blackRating);
            std::swap(ownerRating, opponentRating);
            r.ownerWhite = 0;
        } else {
            r.ownerWhite = 1;
        }
    }

    std::string key;
    if (m_stored)
        key = CGameListText::StoredMarks(m.FieldInt(22) != 0, r.resultCode, r.winner, r.ownerWhite);
    else
        key = m.Field(1);

    const std::string codeText = CGameListText::ResultCode(r.resultKind, r.resultCode, r.winner);
    const std::string timeText =
        CGameListText::TimeControls(m.FieldInt(13), m.FieldInt(14), m.FieldInt(11), m.Field(12),
                                    m.FieldInt(10) != 0, m_wildNames);

    std::array<std::string, kColumns> cells;
    cells[0] = key;
    if (m_playerCentred) {
        r.white = CGameListText::ResultMark(r.resultKind, r.winner, r.ownerWhite);
        cells[1] = r.white;
        cells[2] = ownerRating;
        cells[3] = r.ownerWhite ? "W" : "B";
        cells[4] = opponentRating;
        cells[5] = r.black;
        cells[6] = timeText;
        cells[7] = m.Field(17);
        cells[8] = codeText;
        cells[9] = m.Field(4) + " " + m.Field(5);
    } else {
        cells[1] = m.Field(6);
        cells[2] = m.Field(7);
        cells[3] = m.Field(8);
        cells[4] = m.Field(9);
        cells[5] = CGameListText::Result(r.resultKind, r.resultCode, r.winner);
        cells[6] = timeText;
        cells[7] = m.Field(17);
        cells[8] = m.Field(4) + " " + m.Field(5);
        cells[9] = m.Field(21);
        if (m.Field(3) != "?") cells[9] += " Event=" + m.Field(3);
    }
    const int at = AddRow(QString::fromStdString(cells[0]), std::move(row));
    for (int c = 1; c < kColumns; ++c)
        SetCell(at, c, QString::fromStdString(cells[static_cast<size_t>(c)]));
}

void CGameListView::SortByColumn(int column) {
    if (column < 0 || column >= kColumns) return;
    const bool second = m_sortSecond[static_cast<size_t>(column)];
    m_sortSecond[static_cast<size_t>(column)] = !second;

    // Each comparison gives <0, 0 or >0 in the column's first order; the
    // second order is its reverse.
    std::function<int(const GameRow&, const GameRow&)> compare;
    const auto byNumber = [](int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); };
    const auto byDate = [](const GameRow& a, const GameRow& b) {
        if (const int c = a.date.compare(b.date); c != 0) return c;
        return a.time.compare(b.time);
    };
    const int logical = !m_playerCentred ? column
                        : column == 3    ? 10  // the owner's colour
                        : column == 5    ? 3   // the opponent: black slot
                        : column == 8    ? 1   // the result mark: white slot
                        : column == 9    ? 8   // date and time
                                         : column;
    switch (logical) {
        case 0:
            compare = [byNumber](const GameRow& a, const GameRow& b) {
                return byNumber(a.index, b.index);
            };
            break;
        case 1:
            compare = [](const GameRow& a, const GameRow& b) {
                return CompareNoCase(a.white, b.white);
            };
            break;
        case 2:
            compare = [byNumber](const GameRow& a, const GameRow& b) {
                return byNumber(b.whiteRating, a.whiteRating);
            };
            break;
        case 3:
            compare = [](const GameRow& a, const GameRow& b) {
                return CompareNoCase(a.black, b.black);
            };
            break;
        case 4:
            compare = [byNumber](const GameRow& a, const GameRow& b) {
                return byNumber(b.blackRating, a.blackRating);
            };
            break;
        case 5:
            compare = [byNumber](const GameRow& a, const GameRow& b) {
                return byNumber(CGameListText::ResultOrder(a.resultKind, a.winner),
                                CGameListText::ResultOrder(b.resultKind, b.winner));
            };
            break;
        case 6:
            compare = [byNumber](const GameRow& a, const GameRow& b) {
                return byNumber(b.duration, a.duration);
            };
            break;
        case 7:
            compare = [](const GameRow& a, const GameRow& b) {
                return CompareNoCase(a.eco, b.eco);
            };
            break;
        case 8:
            compare = byDate;
            break;
        case 10:
            compare = [byNumber](const GameRow& a, const GameRow& b) {
                return byNumber(a.ownerWhite, b.ownerWhite);
            };
            break;
        default:
            return;  // the normal layout's note column does not sort
    }
    SortRows([this, &compare, second](int a, int b) {
        const GameRow* ra = Row(a);
        const GameRow* rb = Row(b);
        if (!ra || !rb) return false;
        const int c = compare(*ra, *rb);
        return second ? c > 0 : c < 0;
    });
}

void CGameListView::Refresh() {
    m_refresh->setEnabled(false);
    m_more->setEnabled(false);
    if (!m_title.isEmpty()) SendLine(m_title.toStdString() + "\n");
}

void CGameListView::More() {
    m_refresh->setEnabled(false);
    m_more->setEnabled(false);
    SendLine("More\n");
}

bool CGameListView::OwnList(const char* command) const {
    const std::string handle = m_hooks.ownHandle ? m_hooks.ownHandle() : std::string();
    if (handle.empty()) return false;
    return EqualsNoCase(m_title.toStdString(), std::string(command) + " " + handle);
}

bool CGameListView::CommandEnabled(int id) const {
    switch (id) {
        case Libdelete:
            return OwnList("liblist");
        case OfferDraw:
        case OfferAbort:
        case Adjudication:
        case Resign:
            return OwnList("stored");
        default:
            return true;
    }
}

bool CGameListView::BuildPopupMenu(QMenu& menu) {
    const auto add = [this, &menu](const MenuItem& item) {
        QAction* action = menu.addAction(QString::fromLatin1(item.text));
        action->setData(item.id);
        action->setEnabled(CommandEnabled(item.id));
    };
    for (const MenuItem& item : kRowItems) {
        if (m_stored && item.id == Libdelete) continue;
        add(item);
    }
    if (m_stored) {
        menu.addSeparator();
        for (const MenuItem& item : kStoredItems) add(item);
    }
    return true;
}

void CGameListView::RunCommand(int id) {
    Run(id, QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
}

QString CGameListView::StoredGameId(const GameRow& row) const {
    std::string id = row.black;
    if (!row.event.empty() && row.event != "?") id += "_" + row.event;
    return QString::fromStdString(id);
}

void CGameListView::SendLine(const std::string& line) const {
    if (!m_hooks.send) return;
    // Titles, names and events come from the server's fields, which may hold
    // line breaks: one row command must stay one command line.
    std::string safe = line;
    if (!safe.empty() && safe.back() == '\n') safe.pop_back();
    std::replace_if(
        safe.begin(), safe.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    m_hooks.send(safe + "\n");
}

void CGameListView::Run(int id, bool ctrl) {
    const GameRow* row = Row(SelectedRow());
    if (!row || !CommandEnabled(id)) return;
    const std::string number = std::to_string(row->gameNumber);
    switch (id) {
        case Examine:
            SendLine("Examine #" + number + "\n");
            return;
        case Sposition:
            SendLine("Sposition #" + number + "\n");
            return;
        case Libappend:
            SendLine("Libappend #" + number + "\n");
            return;
        case Mailstored:
            SendLine("Mailstored #" + number + "\n");
            return;
        case Spgn:
        case Smoves: {
            const std::string line = (id == Spgn ? "Spgn #" : "Smoves #") + number + "\n";
            if (ctrl && m_hooks.sendToNewConsole)
                m_hooks.sendToNewConsole(line);
            else
                SendLine(line);
            return;
        }
        case Libdelete:
            SendLine("Libdelete %" + std::to_string(row->index) + "\n");
            Refresh();
            return;
        case SavePgn: {
            if (!m_hooks.askPgnFile) return;
            const QString current =
                m_hooks.gameLogFile ? QString::fromStdString(*m_hooks.gameLogFile) : QString();
            const std::optional<QString> file = m_hooks.askPgnFile(current);
            if (!file || file->isEmpty() || file->size() > kMaxGameLogName) return;
            if (m_hooks.gameLogFile) *m_hooks.gameLogFile = file->toStdString();
            SendLine("`1`Logpgn #" + number + "\n");
            return;
        }
        case OfferDraw:
        case OfferAbort:
        case Resign: {
            const char* question = id == OfferDraw    ? kAskDraw
                                   : id == OfferAbort ? kAskAbort
                                                      : kAskResign;
            const char* verb = id == OfferDraw ? "Draw " : id == OfferAbort ? "Abort " : "Resign ";
            if (!m_hooks.confirm || !m_hooks.confirm(QString::fromLatin1(question))) return;
            SendLine(verb + StoredGameId(*row).toStdString() + "\n");
            return;
        }
        case Adjudication: {
            if (!m_hooks.askAdjudication) return;
            const auto answer = m_hooks.askAdjudication(StoredGameId(*row));
            if (!answer) return;
            const QString line = CAdjudicationDlg::CommandLine(*answer);
            if (line.isEmpty()) {
                if (m_hooks.inform) m_hooks.inform(QString::fromLatin1(kAdjudicationNotSent), true);
                return;
            }
            if (m_hooks.echo) m_hooks.echo(line.toStdString());
            SendLine(line.toStdString());
            if (m_hooks.inform) m_hooks.inform(QString::fromLatin1(kAdjudicationSent), false);
            return;
        }
        default:
            return;
    }
}

std::string CGameListView::ColumnWidthsText() const {
    std::string text;
    const std::vector<int> widths = ColumnWidths();
    for (size_t c = 0; c < widths.size() && c < kColumns; ++c) {
        if (c > 0) text += ",";
        text += std::to_string(widths[c]);
    }
    return text;
}

QString CGameListView::CopyText() const {
    QString text = m_title + "\n";
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < kColumns; ++c) {
            if (c > 0) text += QLatin1Char('\t');
            text += CellText(r, c);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void CGameListView::Copy() const {
    QGuiApplication::clipboard()->setText(CopyText());
}
