// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GamePanes.h"

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "console/ConsoleWnd.h"
#include "game/BoardOptions.h"
#include "game/BoardWnd.h"
#include "game/ClockWnd.h"
#include "game/GameView.h"
#include "game/LabelWnd.h"
#include "game/MoveListWnd.h"
#include "game/PlunkPanel.h"
#include "game/SplitterBar.h"

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 1;

}  // namespace

void CGamePanes::PlacePanes() {
    CGameView& v = m_view;
    const int W = v.width();
    const int Hc = v.height();
    const int d = CGameLayout::kSplitDelta;
    if (v.m_consoleHeight > 0) {
        v.m_console->setGeometry(0, Hc - v.m_consoleHeight + d, W, v.m_consoleHeight - d);
        v.m_console->show();
        v.m_splitter->PlaceAt(Hc - v.m_consoleHeight - d, W);
        v.m_splitter->SetLimits(0, Hc);
        v.m_splitter->show();
    } else {
        v.m_console->hide();
        v.m_splitter->hide();
    }
    v.DoLayout();
}

void CGamePanes::SetConsoleSplit(int upperHeight) {
    CGameView& v = m_view;
    v.m_consoleHeight = CGameLayout::ConsoleHeightForSplit(v.height(), upperHeight);
    v.PlacePanes();
}

void CGamePanes::MeasureButtons() {
    CGameView& v = m_view;
    const bool playing = v.m_mode == CGameView::Playing;
    const bool examining = v.m_mode == CGameView::Examining;
    QFont font = v.m_buttons[0]->font();
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < CGameLayout::kButtons; ++i) {
        const bool shown = i < CGameLayout::First ? playing : examining;
        QPushButton* button = v.m_buttons[static_cast<size_t>(i)];
        button->setVisible(shown);
        if (shown) widest = std::max(widest, metrics.horizontalAdvance(button->text()));
    }
    v.m_buttonWidth = widest + 10;
}

void CGamePanes::DoLayout() {
    CGameView& v = m_view;
    const int H = std::max(v.height() - v.m_consoleHeight, 0);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(CGameLayout::LabelFontPixels(H));
    QFont buttonFont = QApplication::font();
    buttonFont.setPixelSize(CGameLayout::ButtonFontPixels(H));
    for (CLabelWnd* label : v.m_labels) label->setFont(labelFont);
    v.m_info->setFont(labelFont);
    for (QPushButton* button : v.m_buttons) button->setFont(buttonFont);
    MeasureButtons();

    CGameLayout::Input in;
    in.width = v.width();
    in.height = H;
    in.flipped = v.m_flipped;
    in.panelShown = v.PanelShown();
    in.buttons = v.m_mode == CGameView::Playing     ? CGameLayout::Buttons::Playing
                 : v.m_mode == CGameView::Examining ? CGameLayout::Buttons::Examining
                                                    : CGameLayout::Buttons::None;
    in.buttonWidth = v.m_buttonWidth;
    in.scrollBarHeight = v.m_scroll->sizeHint().height();
    in.moveListMinWidth = v.m_moveList->MinimumListWidth();
    v.m_placed = CGameLayout::Compute(in);
    const auto place = [](QWidget* widget, const QRect& r) {
        widget->setGeometry(r);
        widget->setVisible(!r.isEmpty());
    };
    place(v.m_board, v.m_placed.board);
    place(v.m_panel, v.m_placed.panel);
    place(v.m_labels[kWhite], v.m_placed.whiteLabel);
    place(v.m_labels[kBlack], v.m_placed.blackLabel);
    place(v.m_clocks[kWhite], v.m_placed.whiteClock);
    place(v.m_clocks[kBlack], v.m_placed.blackClock);
    place(v.m_info, v.m_placed.infoLine);
    place(v.m_scroll, v.m_placed.scrollBar);
    place(v.m_moveList, v.m_placed.moveList);
    for (int i = 0; i < CGameLayout::kButtons; ++i) {
        QPushButton* button = v.m_buttons[static_cast<size_t>(i)];
        if (button->isVisibleTo(&v))
            button->setGeometry(v.m_placed.buttons[static_cast<size_t>(i)]);
    }
    for (CClockWnd* clock : v.m_clocks) clock->update();
    for (CLabelWnd* label : v.m_labels) label->update();
}

void CGamePanes::UpdateLabels() {
    CGameView& v = m_view;
    const bool strength = v.Options().strength;
    for (int side : {kBlack, kWhite}) {
        v.m_labels[side]->SetText(
            QString::fromStdString(v.m_header.LabelText(side, strength, v.m_material[side])));
    }
    v.m_info->setText(v.InfoText());
}

QString CGamePanes::TitleText(const CGameView& v) {
    const char* status = "Was";
    if (v.m_relation == CGameView::Observes) {
        status = "Observing";
    } else if (v.m_relation == CGameView::Examines) {
        status = "Examining";
    } else if (v.m_mode == CGameView::Playing) {
        status = "";
    }
    const int number = v.m_header.gameNumber != -1 ? v.m_header.gameNumber : v.m_lastGameNumber;
    return QString::fromStdString(GameHeader::Title(v.m_header, number, status));
}

void CGamePanes::UpdateTitle() {
    CGameView& v = m_view;
    const QString title = v.TitleText();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(v.parentWidget())) frame->setWindowTitle(title);
    emit v.titleChanged(title);
}
