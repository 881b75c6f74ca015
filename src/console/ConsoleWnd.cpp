// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleWnd.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPrinter>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>

#include "console/ChatText.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFindDlg.h"
#include "console/ConsoleText.h"
#include "console/PersonCommand.h"
#include "console/PersonMenu.h"
#include "net/ColourWord.h"

namespace {

constexpr const char* kLogBegins = "--- Log begins (%1) ---\r\n";
constexpr const char* kLogEnds = "--- Log ends ---\r\n";
constexpr const char* kLogTitle = "Choose log file's name";
constexpr const char* kLogFailed = "Could not open log file for writing";
constexpr int kFindMax = 80;
constexpr int kHelperWidth = 140;
constexpr int kHelperDropHeight = 110;

bool g_linksDisabledForNew = false;

std::u16string_view Utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

QColor Rgb(uint32_t word) {
    return QColor(ColourWord::Red(word), ColourWord::Green(word), ColourWord::Blue(word));
}

}  // namespace

CConsoleWnd::CConsoleWnd(QWidget* parent) : QWidget(parent) {
    m_text = new CConsoleText(this);
    m_entry = new CCommandEdit(*m_text, this);
    m_text->SetEntry(m_entry);
    setFocusProxy(m_entry);
    connect(m_entry, &CCommandEdit::enterPressed, this, &CConsoleWnd::enterPressed);
    connect(m_entry, &CCommandEdit::helperStep, this, &CConsoleWnd::StepHelper);
    m_linksDisabled = g_linksDisabledForNew;
    connect(m_text, &CConsoleText::linkPressed, this, &CConsoleWnd::ActivateLink);
    connect(m_text, &CConsoleText::contextMenuRequested, this, &CConsoleWnd::ShowPersonMenu);

    QScrollBar* bar = m_text->verticalScrollBar();
    // The layout of a long text may finish after the append that caused it;
    // a pane that follows the end keeps following while it grows.
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (!m_followEnd || m_scrolling) return;
        m_scrolling = true;
        bar->setValue(maximum);
        m_scrolling = false;
    });
    connect(bar, &QScrollBar::valueChanged, this, [this] {
        if (!m_scrolling) m_followEnd = EndVisible();
    });
    ApplyBackground(0);
}

CConsoleWnd::~CConsoleWnd() = default;

void CConsoleWnd::AppendText(const QString& incoming, uint32_t rgb, bool bold, bool italic,
                             bool underline) {
    QString text = incoming;
    text.remove(QLatin1Char('\r'));
    if (m_pendingBreak) {
        text.prepend(QLatin1Char('\n'));
        m_pendingBreak = false;
    }
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
        m_pendingBreak = true;
    }
    if (m_log) {
        // The file gets the same characters as the pane, line breaks as CR LF.
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        m_log->write(line.toUtf8());
    }

    QTextCharFormat format;
    format.setForeground(Rgb(rgb));
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    // Even an append with no text is kept: it counts for trimming.
    m_pending.push_back(Run{std::move(text), format});
    if (m_flushScheduled) return;
    m_flushScheduled = true;
    QMetaObject::invokeMethod(this, &CConsoleWnd::FlushPending, Qt::QueuedConnection);
}

QString CConsoleWnd::FromServerBytes(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (utf8.hasError()) text = QString::fromLatin1(view);
    return text;
}

void CConsoleWnd::AppendStyled(const QString& text, uint32_t word) {
    AppendText(text, word & ColourWord::kRgbMask, ColourWord::Bold(word), ColourWord::Italic(word),
               false);
}

bool CConsoleWnd::EndVisible() const {
    const QScrollBar* bar = m_text->verticalScrollBar();
    return bar->maximum() - bar->value() < m_text->LineHeight();
}

void CConsoleWnd::FlushPending() {
    m_flushScheduled = false;
    if (m_pending.empty()) return;
    std::vector<Run> runs;
    runs.swap(m_pending);

    // Trim as each append would have trimmed on its own: before it, when the
    // pane then held more than kKeepLines lines.
    QTextDocument* document = m_text->document();
    int lines = document->blockCount();
    int drop = 0;
    for (const Run& run : runs) {
        if (lines > kKeepLines) {
            lines -= kTrimStep;
            drop += kTrimStep;
        }
        lines += static_cast<int>(run.text.count(QLatin1Char('\n')));
    }

    QScrollBar* bar = m_text->verticalScrollBar();
    const bool follow = m_followEnd;
    const int oldValue = bar->value();
    m_scrolling = true;
    const int removedHeight = drop > 0 ? DropLeadingLines(drop, runs) : 0;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    // Neighbouring appends in one style go in as one insertion.
    for (size_t i = 0; i < runs.size();) {
        QString text = runs[i].text;
        size_t next = i + 1;
        while (next < runs.size() && runs[next].format == runs[i].format) {
            text += runs[next++].text;
        }
        if (!text.isEmpty()) InsertWithLinks(cursor, text, runs[i].format);
        i = next;
    }
    cursor.endEditBlock();
    // A reader who scrolled up keeps the same text in view, even when lines
    // above it were trimmed away.
    bar->setValue(follow ? bar->maximum() : qMax(0, oldValue - removedHeight));
    m_followEnd = follow;
    m_scrolling = false;
    emit textAppended();
}

void CConsoleWnd::InsertWithLinks(QTextCursor& cursor, const QString& text,
                                  const QTextCharFormat& format) {
    const std::u16string_view view = Utf16(text);
    if (m_linksDisabled) {
        m_links.Skip(view);
        cursor.insertText(text, format);
        return;
    }
    const std::vector<CLinkScanner::Range> links = m_links.Scan(view);
    if (links.empty()) {
        cursor.insertText(text, format);
        return;
    }
    // A link may start in the last line already in the pane (a line that
    // arrives in pieces).
    qsizetype first = 0;
    for (const CLinkScanner::Range& link : links) first = qMin(first, link.start);
    QString scanned = text;
    if (first < 0) {
        const QString line = cursor.block().text();
        first = qMax(first, -line.size());
        scanned.prepend(line.right(-first));
    }
    // Where links overlap, the one found later wins, as when each is laid
    // over the text in turn.
    std::vector<int> owner(static_cast<size_t>(scanned.size()), -1);
    int index = 0;
    for (const CLinkScanner::Range& link : links) {
        const qsizetype start = qMax(link.start - first, qsizetype(0));
        const qsizetype stop = qMax(start, qMin(link.start + link.length - first, scanned.size()));
        std::fill(owner.begin() + start, owner.begin() + stop, index++);
    }
    // The link keeps the colour of its text; the text itself is what a click
    // acts on. Every link has the same target: a target per link would be a
    // new format per link, kept by the document for as long as it lives.
    const auto linkFormat = [](QTextCharFormat linked) {
        linked.setAnchor(true);
        linked.setAnchorHref(QStringLiteral("#"));
        linked.setFontUnderline(true);
        return linked;
    };
    const qsizetype inPane = -first;
    const auto runEnd = [&owner](qsizetype at, qsizetype limit) {
        qsizetype end = at + 1;
        while (end < limit && owner[static_cast<size_t>(end)] == owner[static_cast<size_t>(at)]) {
            ++end;
        }
        return end;
    };
    const int from = cursor.position();
    for (qsizetype i = 0; i < inPane;) {
        const qsizetype end = runEnd(i, inPane);
        const int current = owner[static_cast<size_t>(i)];
        if (current >= 0) {
            QTextCursor old(cursor.document());
            old.setPosition(from - static_cast<int>(inPane - i));
            old.setPosition(from - static_cast<int>(inPane - end), QTextCursor::KeepAnchor);
            old.mergeCharFormat(linkFormat(QTextCharFormat()));
        }
        i = end;
    }
    // The new text goes in as one piece per stretch of one link (or none):
    // cheaper to lay out than formats changed after the insertion.
    for (qsizetype i = inPane; i < scanned.size();) {
        const qsizetype end = runEnd(i, scanned.size());
        const int current = owner[static_cast<size_t>(i)];
        cursor.insertText(scanned.mid(i, end - i), current < 0 ? format : linkFormat(format));
        i = end;
    }
}

void CConsoleWnd::SetLinksDisabledForNewConsoles(bool disabled) {
    g_linksDisabledForNew = disabled;
}

void CConsoleWnd::ActivateLink(const QString& link, bool newConsole) {
    switch (CLinkScanner::Classify(Utf16(link))) {
        case CLinkScanner::LinkKind::Command:
            emit commandRequested(link + QLatin1Char('\n'), newConsole);
            break;
        case CLinkScanner::LinkKind::Address:
            emit urlRequested(link);
            break;
        case CLinkScanner::LinkKind::HelpItem:
            emit commandRequested(QStringLiteral("Help ") + link + QLatin1Char('\n'), newConsole);
            break;
    }
}

void CConsoleWnd::ShowPersonMenu(QPoint global) {
    const QString name = m_text->textCursor().selectedText();
    emit nameSelected(name);
    if (name.isEmpty()) return;
    const int id = CPersonMenu::Exec(this, global);
    switch (id) {
        case 0:
            return;
        case kPersonCopy:
            Copy();
            return;
        case kPersonCopyPaste:
            Copy();
            Paste();
            return;
        default:
            emit personCommandChosen(id, name,
                                     QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
            return;
    }
}

int CConsoleWnd::DropLeadingLines(int drop, std::vector<Run>& runs) {
    QTextDocument* document = m_text->document();
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    const int paneBreaks = document->blockCount() - 1;
    QTextCursor cursor(document);
    if (drop <= paneBreaks) {
        const QTextBlock kept = document->findBlockByNumber(drop);
        const int height = static_cast<int>(layout->blockBoundingRect(kept).top() -
                                            layout->blockBoundingRect(document->begin()).top());
        cursor.setPosition(kept.position(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        return height;
    }
    // The batch alone is longer than the pane may hold: nothing of the pane
    // stays, and its first lines would have gone before anyone saw them.
    const int height = static_cast<int>(layout->documentSize().height());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    m_links.ForgetPartialLine();
    int skip = drop - paneBreaks;
    for (Run& run : runs) {
        while (skip > 0 && !run.text.isEmpty()) {
            const qsizetype end = run.text.indexOf(QLatin1Char('\n'));
            if (end < 0) {
                run.text.clear();
            } else {
                run.text.remove(0, end + 1);
                --skip;
            }
        }
        if (skip == 0) break;
    }
    return height;
}

void CConsoleWnd::SetConsoleFont(const QFont& font) {
    m_text->setFont(font);
}

void CConsoleWnd::ApplyBackground(uint32_t word) {
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, Rgb(word));
    m_text->setPalette(palette);
}

QString CConsoleWnd::TakeCommand() const {
    const QString text = m_entry->text();
    QString prefix;
    if (m_helper && m_helper->currentIndex() >= 0 && !text.startsWith(QLatin1Char('/'))) {
        prefix = m_prefixes[static_cast<size_t>(m_helper->currentIndex())];
    }
    QString command = prefix + QLatin1Char(' ') + text;
    qsizetype first = 0;
    while (first < command.size() && command[first].isSpace()) ++first;
    return command.mid(first);
}

void CConsoleWnd::ClearEntry() {
    m_entry->clear();
}

void CConsoleWnd::SetLastTellerSource(std::function<QString()> source) {
    m_entry->SetLastTellerSource(std::move(source));
}

void CConsoleWnd::AddHelper(const QString& text, const QString& prefix) {
    if (!m_helper) {
        m_helper = new QComboBox(this);
        m_helper->setToolTip(QStringLiteral("Command Helper"));
        m_helper->setMaxVisibleItems(kHelperDropHeight / qMax(1, fontMetrics().height()));
        // The list is a detour: after choosing, typing goes on in the box.
        connect(m_helper, QOverload<int>::of(&QComboBox::activated), m_entry,
                [this] { m_entry->setFocus(); });
        m_helper->show();
    }
    m_helper->addItem(text);
    m_prefixes.push_back(prefix == QLatin1String(" ") ? QString() : prefix.trimmed());
    LayOut();
}

void CConsoleWnd::RemoveHelpers() {
    delete m_helper;
    m_helper = nullptr;
    m_prefixes.clear();
    LayOut();
}

QString CConsoleWnd::HelperText(int index) const {
    return m_helper && index >= 0 && index < HelperCount() ? m_helper->itemText(index) : QString();
}

QString CConsoleWnd::HelperTextsText() const {
    std::vector<std::string> texts;
    for (int i = 0; i < HelperCount(); ++i) texts.push_back(HelperText(i).toStdString());
    return QString::fromStdString(ChatText::JoinHelperLines(texts));
}

QString CConsoleWnd::HelperPrefixesText() const {
    std::vector<std::string> prefixes;
    for (const QString& prefix : m_prefixes) prefixes.push_back(prefix.toStdString());
    return QString::fromStdString(ChatText::JoinHelperLines(prefixes));
}

void CConsoleWnd::SetHelperTexts(const QString& text) {
    RemoveHelpers();
    for (const std::string& line : ChatText::SplitHelperLines(text.toStdString())) {
        AddHelper(QString::fromStdString(line), QString());
    }
}

void CConsoleWnd::SetHelperPrefixes(const QString& text) {
    const std::vector<std::string> lines = ChatText::SplitHelperLines(text.toStdString());
    for (size_t i = 0; i < lines.size() && i < m_prefixes.size(); ++i) {
        m_prefixes[i] = QString::fromStdString(ChatText::Trim(lines[i]));
    }
}

void CConsoleWnd::SelectHelper(int index) {
    if (m_helper && index >= 0 && index < HelperCount()) m_helper->setCurrentIndex(index);
}

void CConsoleWnd::StepHelper(int step) {
    const int count = HelperCount();
    if (count < 2) return;
    m_helper->setCurrentIndex(((m_helper->currentIndex() + step) % count + count) % count);
}

void CConsoleWnd::SelectAll() {
    m_text->selectAll();
}

void CConsoleWnd::Copy() {
    QApplication::clipboard()->clear();
    m_text->copy();
}

void CConsoleWnd::Paste() {
    m_entry->paste();
}

void CConsoleWnd::Cut() {
    m_entry->cut();
}

bool CConsoleWnd::FindNext(const QString& what, bool matchCase, bool wholeWord) {
    const QString needle = what.left(kFindMax);
    QTextDocument::FindFlags flags;
    if (matchCase) flags |= QTextDocument::FindCaseSensitively;
    if (wholeWord) flags |= QTextDocument::FindWholeWords;
    const QTextCursor selection = m_text->textCursor();
    const int start = selection.selectionStart() + (selection.hasSelection() ? 1 : 0);
    QTextCursor hit =
        needle.isEmpty() ? QTextCursor() : m_text->document()->find(needle, start, flags);
    if (hit.isNull() && start > 0 && !needle.isEmpty()) {
        hit = m_text->document()->find(needle, 0, flags);
        if (!hit.isNull() && hit.selectionStart() >= start) hit = QTextCursor();
    }
    if (hit.isNull()) {
        QApplication::beep();
        return false;
    }
    m_text->setTextCursor(hit);
    QScrollBar* bar = m_text->verticalScrollBar();
    QTextCursor lineStart = hit;
    lineStart.setPosition(hit.selectionStart());
    bar->setValue(bar->value() + m_text->cursorRect(lineStart).top());
    return true;
}

void CConsoleWnd::ShowFindDialog() {
    if (!m_find) {
        m_find = new CConsoleFindDlg(this);
        connect(m_find, &CConsoleFindDlg::findNext, this, &CConsoleWnd::FindNext);
    }
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void CConsoleWnd::PrintTo(QPrinter& printer) const {
    const QTextCursor selection = m_text->textCursor();
    QTextDocument page;
    page.setDefaultFont(m_text->font());
    page.setPlainText(selection.hasSelection() ? selection.selection().toPlainText()
                                               : m_text->toPlainText());
    page.print(&printer);
}

void CConsoleWnd::OnLogConsole() {
    if (IsLogging()) {
        StopLog();
        return;
    }
    QFileDialog dialog(this, QString::fromLatin1(kLogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Text files (*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().front();
    if (path.isEmpty()) return;
    if (!StartLog(path)) {
        QMessageBox::warning(this, QStringLiteral("Kordane 2"), QString::fromLatin1(kLogFailed));
    }
}

bool CConsoleWnd::StartLog(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    m_log = std::move(file);
    AppendStyled(QString::fromLatin1(kLogBegins).arg(path), kLogLineColour);
    return true;
}

void CConsoleWnd::StopLog() {
    if (!m_log) return;
    AppendStyled(QString::fromLatin1(kLogEnds), kLogLineColour);
    m_log.reset();
}

void CConsoleWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void CConsoleWnd::LayOut() {
    const int w = width();
    const int h = height();
    const int entryTop = qMax(0, h - kEntryHeight);
    m_text->setGeometry(0, 0, w, entryTop);
    int x = 0;
    if (m_helper) {
        x = qMin(kHelperWidth, static_cast<int>(0.3 * w));
        m_helper->setGeometry(0, entryTop, x, kEntryHeight);
    }
    m_entry->setGeometry(x, entryTop, w - x, kEntryHeight);
}
