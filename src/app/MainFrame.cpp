// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/AboutBox.h"
#include "app/ActionsMenu.h"
#include "app/ConnectionMenus.h"
#include "app/EditMenu.h"
#include "app/ExtraConsoles.h"
#include "app/GameLists.h"
#include "app/LiveLists.h"
#include "app/OfferDialogs.h"
#include "app/SeekGraphs.h"
#include "app/ServerDialogs.h"
#include "app/UrlOpener.h"
#include "app/WindowLayout.h"
#include "console/ChannelColorsDlg.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFont.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "console/CustomizeTextDlg.h"
#include "game/BoardOptions.h"
#include "game/GameFrame.h"
#include "game/GameMenu.h"
#include "game/GameShared.h"
#include "game/GameView.h"
#include "net/DatagramTable.h"
#include "net/Profile.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// Where a connection's console sits when no place is stored for its slot.
const QRect kFirstConsoleRect(0, 0, 703, 436);
constexpr const char* kStateProperty = "kordaneState";
constexpr const char* kGameConsoleHeight = "GameConsoleHeight_%d";
constexpr const char* kNoTimers =
    "You are out of system timers, so clocks will not count down.  To fix this situation, exit "
    "Kordane and close some of your other running programs, and/or reboot.";

// The preferences game windows read, from the settings facade.
CBoardOptions BoardOptionsFrom(const CSettings& settings) {
    using O = CSettings::Option;
    using C = CSettings::BoardColour;
    CBoardOptions o;
    o.pieceSet = settings.Value(O::PieceSet);
    o.boardStyle = settings.Value(O::BoardStyle);
    o.drawCoords = settings.Flag(O::DrawCoords);
    o.highlightMoves = settings.Flag(O::HighlightMoves);
    o.strength = settings.Flag(O::Strength);
    o.showCaptures = settings.Flag(O::ShowCaptures);
    o.examinePlunkers = settings.Flag(O::ExaminePlunkers);
    o.animateMoves = settings.Flag(O::AnimateMoves);
    o.animateTime = settings.Value(O::AnimateTime);
    o.lightSquare = settings.Colour(C::LightSquare);
    o.darkSquare = settings.Colour(C::DarkSquare);
    o.highlight = settings.Colour(C::Highlight);
    o.arrow = settings.Colour(C::Arrow);
    o.circle = settings.Colour(C::Circle);
    o.dragMove = settings.Flag(O::DragMove);
    o.dragType = settings.Value(O::DragType);
    o.smartMove = settings.Flag(O::SmartMove);
    o.alwaysQueen = settings.Flag(O::AlwaysQueen);
    o.showTenthsAlways = settings.Flag(O::ShowTenthsAlways);
    o.showTenthsWhenLow = settings.Flag(O::ShowTenthsWhenLow);
    o.bypassConsole = settings.Flag(O::BypassConsole);
    o.confirmResign = settings.Flag(O::ConfirmResign);
    o.logMyGames = settings.Flag(O::LogMyGames);
    return o;
}

}  // namespace

CMainFrame::CMainFrame(CProfile& profile, QWidget* parent)
    : QMainWindow(parent), m_profile(profile) {
    m_settings.Load(m_profile);
    m_layout = new CWindowLayout(m_profile, this);
    m_startWindows = std::make_unique<CStartWindows>(m_settings, *m_layout, m_profile);
    m_printer = std::make_unique<QPrinter>();
    m_textStyles = std::make_shared<CTextStyles>();
    m_textStyles->Load(m_profile);
    m_gameShared = new CGameShared(this);
    m_gameShared->SetOptions(BoardOptionsFrom(m_settings));
    CConsoleWnd::SetLinksDisabledForNewConsoles(m_settings.Flag(CSettings::Option::DisableURLs));
    connect(this, &CMainFrame::optionEffect, this,
            [this] { m_gameShared->SetOptions(BoardOptionsFrom(m_settings)); });
    if (!m_gameShared->TimerRunning()) {
        // Told once the window is up; the program runs on without ticking.
        QTimer::singleShot(0, this, [this] {
            QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                            QString::fromLatin1(kNoTimers), QMessageBox::Ok, this);
            box.setTextFormat(Qt::PlainText);
            box.exec();
        });
    }
    m_startWindows->Hooks().gameBoard = [this](CKordane2Doc& doc) {
        return OpenGameWindow(doc) != nullptr;
    };
    m_startWindows->Hooks().extraConsole = [this](CKordane2Doc& doc) {
        // Opened as the log-in completes, so its commands are tagged.
        m_extraConsoles->OpenConsole(doc)->SetTagging(true);
        return true;
    };
    connect(this, &CMainFrame::userButton, this, [this](int, const QString& text) {
        if (CConsoleFrame* console = ActiveConnectionConsole()) {
            console->View().RunUserButton(text.toStdString());
        }
    });

    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    m_extraConsoles = new CExtraConsoles(*m_layout, m_mdi, m_textStyles, this);
    m_gameLists = new CGameLists(*m_layout, m_mdi, m_settings, m_pgnTarget, this);
    m_seekGraphs = new CSeekGraphs(*m_layout, m_settings, m_mdi, this);
    m_startWindows->Hooks().seekGraph = [this](CKordane2Doc& doc) {
        return m_seekGraphs->Open(doc) != nullptr;
    };
    connect(this, &CMainFrame::optionEffect, m_seekGraphs, [this](OptionEffect effect) {
        if (effect == OptionEffect::SeekFilter) m_seekGraphs->RecheckAll();
    });
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateTitle);

    m_statePane = new QLabel(QStringLiteral("Ready"), this);
    m_statePane->setTextFormat(Qt::PlainText);
    m_statePane->setMinimumWidth(m_statePane->fontMetrics().horizontalAdvance("Working") + 12);
    statusBar()->addPermanentWidget(m_statePane);

    CreateUserToolBar();
    CreateMenus();
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    // The windows inside report activation and title changes while they are
    // torn down; by then this object is no longer a CMainFrame, so nothing of
    // theirs may reach it.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        disconnect(window, nullptr, this, nullptr);
        if (auto* console = qobject_cast<CConsoleFrame*>(window)) {
            disconnect(&console->Doc(), nullptr, this, nullptr);
        }
        // A game window that goes with the area must not ask it to bring
        // another game forward.
        if (auto* game = qobject_cast<CGameFrame*>(window)) {
            game->View().GetHooks().activate = nullptr;
            game->View().GetHooks().focusMainConsole = nullptr;
        }
    }
    delete m_mdi;
    m_settings.SetToolBarState(saveState().toHex().toStdString());
    m_settings.Save(m_profile);
    // Text styles are written only when the user changed them, so that a
    // hand-edited value survives a run that did not touch it.
    if (m_textColoursChanged) m_textStyles->SaveColoursAndFont(m_profile);
    if (m_channelColoursChanged) m_textStyles->SaveChannels(m_profile);
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    // The connection items (CFileMenu) go in above these.
    file->setObjectName(QStringLiteral("fileMenu"));
    m_reconnect = file->addAction(QStringLiteral("R&econnect"), this, [this] {
        if (CConsoleFrame* console = ActiveConsole()) console->Doc().OnReconnect();
    });
    m_reconnect->setStatusTip(QStringLiteral("Re-establish a broken connection"));
    // Only a connection that has closed can be re-established.
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateReconnect);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    new CEditMenu(menuBar()->addMenu(QStringLiteral("&Edit")), m_mdi, *m_printer);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* toolBar = m_userBar->toggleViewAction();
    toolBar->setText(QStringLiteral("&Toolbar"));
    view->addAction(toolBar);
    QAction* status = view->addAction(QStringLiteral("&Status Bar"));
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, statusBar(), &QWidget::setVisible);

    QMenu* game = menuBar()->addMenu(QStringLiteral("&Game"));
    QMenu* actions = menuBar()->addMenu(QStringLiteral("&Actions"));
    new CActionsMenu(
        actions, [this] { return ActiveConnectionConsole() != nullptr; },
        [this](std::string_view line) {
            if (CConsoleFrame* console = ActiveConnectionConsole()) {
                console->Doc().SendToServer(line);
            }
        });
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    // The application adds the sound items (CShellMenus) at the end.
    options->setObjectName(QStringLiteral("optionsMenu"));
    auto* optionsMenu = new COptionsMenu(options, m_settings, this);
    connect(optionsMenu, &COptionsMenu::optionChanged, this, &CMainFrame::OnOptionChanged);
    connect(optionsMenu, &COptionsMenu::userButtonsChanged, this, &CMainFrame::UpdateUserButtons);
    connect(optionsMenu, &COptionsMenu::customizeText, this, &CMainFrame::CustomizeText);
    connect(optionsMenu, &COptionsMenu::customizeConsole, m_extraConsoles,
            &CExtraConsoles::CustomizeActive);
    connect(optionsMenu, &COptionsMenu::customizeChannelColours, this,
            &CMainFrame::CustomizeChannelColours);

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->addAction(QStringLiteral("&Cascade"), m_mdi, &QMdiArea::cascadeSubWindows);
    window->addAction(QStringLiteral("&Tile"), m_mdi, &QMdiArea::tileSubWindows);
    m_connectionMenus =
        new CConnectionMenus(game, window, [this] { return ActiveConnectionConsole() != nullptr; });
    m_connectionMenus->Hook(QStringLiteral("&New Generic Console"), [this] {
        if (CConsoleFrame* console = ActiveConnectionConsole()) {
            m_extraConsoles->OpenConsole(console->Doc());
        }
    });
    m_connectionMenus->Hook(QStringLiteral("Seek &Graph"), [this] {
        if (CConsoleFrame* console = ActiveConnectionConsole()) m_seekGraphs->Open(console->Doc());
    });
    m_connectionMenus->Hook(QStringLiteral("N&ew Channel/Chat Console..."), [this] {
        if (CConsoleFrame* console = ActiveConnectionConsole()) {
            m_extraConsoles->OpenChatConsole(console->Doc());
        }
    });
    m_liveLists = new CLiveLists(*m_layout, m_mdi, *m_connectionMenus, *m_startWindows, [this] {
        CConsoleFrame* console = ActiveConnectionConsole();
        return console ? &console->Doc() : nullptr;
    });
    m_offerDialogs = new COfferDialogs(
        *m_connectionMenus,
        [this] {
            CConsoleFrame* console = ActiveConnectionConsole();
            return console ? &console->Doc() : nullptr;
        },
        this);
    new CGameMenu(game, m_mdi, *m_printer);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addAction(QStringLiteral("&About Kordane 2..."), this, &CMainFrame::ShowAbout);
}

void CMainFrame::CustomizeText() {
    CCustomizeTextDlg dialog(*m_textStyles, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const bool reapply = dialog.ApplyTo(*m_textStyles);
    m_textColoursChanged = true;
    if (!reapply) return;
    // Background and font change at once in every console; colours only
    // affect new text.
    for (CConsoleWnd* console : m_mdi->findChildren<CConsoleWnd*>()) {
        console->ApplyBackground(m_textStyles->Colour(TextClass::Background));
        console->SetConsoleFont(ConsoleFont::For(*m_textStyles));
    }
}

void CMainFrame::CustomizeChannelColours() {
    CChannelColorsDlg dialog(*m_textStyles, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_textStyles->SetChannels(dialog.Channels());
    m_channelColoursChanged = true;
}

void CMainFrame::CreateUserToolBar() {
    m_userBar = addToolBar(QStringLiteral("User Buttons"));
    m_userBar->setObjectName(QStringLiteral("userButtons"));
    for (int i = 0; i < CSettings::kUserButtons; ++i) {
        // Buttons and keys are numbered 1 to 9, then 0, as on the keyboard.
        const int digit = (i + 1) % 10;
        QAction* button = m_userBar->addAction(QString::number(digit));
        button->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit)));
        button->setShortcutContext(Qt::ApplicationShortcut);
        button->setStatusTip(QStringLiteral("User Button %1").arg(digit));
        connect(button, &QAction::triggered, this, [this, i] {
            emit userButton(i, QString::fromStdString(m_settings.UserButton(i)));
        });
    }
    UpdateUserButtons();
}

void CMainFrame::UpdateUserButtons() {
    const QList<QAction*> buttons = m_userBar->actions();
    for (int i = 0; i < buttons.size() && i < CSettings::kUserButtons; ++i) {
        const QString text = QString::fromStdString(m_settings.UserButton(i));
        // The tip shows the command, so the user sees what a button sends.
        buttons[i]->setToolTip(text.isEmpty()
                                   ? buttons[i]->statusTip()
                                   : buttons[i]->statusTip() + QStringLiteral(": ") + text);
    }
}

void CMainFrame::OnOptionChanged(CSettings::Option option, OptionEffect effect) {
    if (effect == OptionEffect::GameLists) {
        // The connection reads this key from the file when it connects, so a
        // connection opened later in this run must see the new value.
        m_settings.WriteNow(option, m_profile);
        const bool lists = !m_settings.Flag(CSettings::Option::BypassGamelist);
        for (QMdiSubWindow* window : m_mdi->subWindowList()) {
            auto* console = qobject_cast<CConsoleFrame*>(window);
            if (!console || !console->Doc().IsConnected()) continue;
            console->Doc().Parser().SetDatagram(DG_GAMELIST_BEGIN, lists);
            console->Doc().Parser().SetDatagram(DG_GAMELIST_ITEM, lists);
        }
    }
    if (effect == OptionEffect::Links) {
        const bool disabled = m_settings.Flag(CSettings::Option::DisableURLs);
        CConsoleWnd::SetLinksDisabledForNewConsoles(disabled);
        for (CConsoleWnd* console : m_mdi->findChildren<CConsoleWnd*>()) {
            console->SetLinksDisabled(disabled);
        }
    }
    emit optionEffect(effect);
}

void CMainFrame::RestoreWindowLayout(QSize screen) {
    if (!m_layout->RestoreMainWindow(this, WindowPlacement::kShowNormal)) {
        // First run. Without a window manager "maximised" means nothing, so
        // the window is also given the screen's size outright.
        setGeometry(QRect(QPoint(0, 0), screen));
        showMaximized();
        m_settings.SaveStartWindows(m_profile);
        CWindowLayout::WriteFirstRunPlacements(m_profile, screen);
    }
    const QByteArray state =
        QByteArray::fromHex(QByteArray::fromStdString(m_settings.ToolBarState()));
    if (!state.isEmpty()) restoreState(state);
}

CConsoleFrame* CMainFrame::AddConnection(CKordane2Doc& doc, const QString& title) {
    auto* frame = new CConsoleFrame(doc, title);
    m_mdi->addSubWindow(frame);
    m_offerDialogs->Attach(doc);
    // The console frame is the context: a game window that sends its last
    // command while the connection goes must not reach a console already gone.
    connect(&doc, &CKordane2Doc::statusText, frame, [this, frame](const QString& text) {
        // Kept per window, so that activating a connection shows its own state.
        frame->setProperty(kStateProperty, text);
        if (m_mdi->activeSubWindow() == frame) m_statePane->setText(text);
    });
    connect(&doc, &CKordane2Doc::closing, this, [this, &doc] {
        // Counted before the windows are stored and freed.
        m_startWindows->Record(doc);
        for (QMdiSubWindow* window : m_mdi->subWindowList()) {
            auto* game = qobject_cast<CGameFrame*>(window);
            if (game && &game->View().Doc() == &doc) StoreGameWindow(game);
        }
        m_extraConsoles->StoreAll(doc);
        m_gameLists->StoreAll(doc);
        m_layout->CloseAll(&doc);
    });
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateTitle);
    frame->View().Host().SetBypassMatch(
        [this] { return m_settings.Value(CSettings::Option::BypassMatch) != 0; });
    frame->View().Host().SetGameWindowOpener(
        [this, &doc](std::unique_ptr<CServerMessage>& message) {
            CGameView* view = OpenGameWindow(doc);
            return view && view->Receive(message) != 0;
        });
    frame->View().Host().SetGameListOpener(
        [this, &doc](std::unique_ptr<CServerMessage>& message, bool /*history*/) {
            return m_gameLists->Open(doc, message);
        });
    frame->View().Host().SetTaggedGameFile([this] { return m_pgnTarget; });
    CServerDialogs::Attach(frame->View());
    frame->View().Host().SetUrlOpener(
        [frame](const QString& url) { return CUrlOpener::Open(url, frame); });
    frame->setGeometry(kFirstConsoleRect);
    m_layout->Open(frame, WindowKind::Connection, &doc);
    frame->View().SetTextStyles(m_textStyles);
    frame->View().SetStartWindowsHandler([this, &doc] { return OpenStartWindows(doc); });
    connect(&frame->View(), &CConsoleView::consoleOpened, this,
            [this, &doc](QMdiSubWindow* window, bool temporary) {
                if (auto* view = qobject_cast<CConsoleSubView*>(window->widget())) {
                    m_extraConsoles->Adopt(*view);
                    return;
                }
                m_layout->Open(window, temporary ? WindowKind::Transient : WindowKind::SubConn,
                               &doc);
            });
    frame->show();
    m_mdi->setActiveSubWindow(frame);
    // A new console is ready for typing.
    frame->View().setFocus();
    frame->View().InitialUpdate();
    return frame;
}

CGameView* CMainFrame::OpenGameWindow(CKordane2Doc& doc) {
    auto* frame = new CGameFrame(doc, *m_gameShared);
    CGameView& view = frame->View();
    m_mdi->addSubWindow(frame);
    view.SetTextStyles(m_textStyles);
    CGameView::Hooks& hooks = view.GetHooks();
    hooks.pgnTarget = &m_pgnTarget;
    hooks.activate = [this](CGameView* target) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(target->parentWidget())) {
            m_mdi->setActiveSubWindow(window);
        }
    };
    hooks.focusMainConsole = [this, &doc] {
        for (QMdiSubWindow* window : m_mdi->subWindowList()) {
            auto* console = qobject_cast<CConsoleFrame*>(window);
            if (console && &console->Doc() == &doc) console->View().Entry()->setFocus();
        }
    };
    frame->resize(600, 480);
    const int slot = m_layout->Open(frame, WindowKind::Game, &doc);
    const std::string height = m_layout->SlotValue(kGameConsoleHeight, slot);
    if (!height.empty()) view.SetConsoleHeight(std::atoi(height.c_str()));
    connect(frame, &CGameFrame::closing, this, [this, frame] { StoreGameWindow(frame); });
    frame->show();
    return &view;
}

void CMainFrame::StoreGameWindow(CGameFrame* frame) {
    const int slot = m_layout->SlotOf(frame);
    if (slot == 0) return;
    m_layout->WriteSlotValue(kGameConsoleHeight, slot,
                             std::to_string(frame->View().ConsoleHeight()));
    m_layout->Close(frame);
}

bool CMainFrame::OpenStartWindows(CKordane2Doc& doc) {
    QWidget* console = nullptr;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* frame = qobject_cast<CConsoleFrame*>(window);
        if (frame && &frame->Doc() == &doc) console = frame;
    }
    return m_startWindows->Open(doc, console);
}

void CMainFrame::UpdateReconnect() {
    const CConsoleFrame* console = ActiveConsole();
    m_reconnect->setEnabled(console && console->Doc().State() == CKordane2Doc::Closed);
}

CConsoleFrame* CMainFrame::ActiveConnectionConsole() const {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (auto* console = qobject_cast<CConsoleFrame*>(active)) return console;
    QObject* doc = active ? m_layout->DocOf(active) : nullptr;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* console = qobject_cast<CConsoleFrame*>(window);
        if (console && &console->Doc() == doc) return console;
    }
    return nullptr;
}

CConsoleFrame* CMainFrame::ActiveConsole() const {
    return qobject_cast<CConsoleFrame*>(m_mdi->activeSubWindow());
}

QString CMainFrame::StatePaneText() const {
    return m_statePane->text();
}

void CMainFrame::UpdateTitle() {
    QString title = QString::fromLatin1(kAppTitle);
    QString state = QStringLiteral("Ready");
    if (QMdiSubWindow* active = m_mdi->activeSubWindow()) {
        title += QStringLiteral(" - ") + active->windowTitle();
        const QVariant kept = active->property(kStateProperty);
        if (kept.isValid()) state = kept.toString();
    }
    m_statePane->setText(state);
    setWindowTitle(title);
}

void CMainFrame::ShowAbout() {
    CAboutBox::Show(this);
}

void CMainFrame::SaveMainWindowLayout() {
    m_layout->SaveMainWindow(this);
    m_settings.SetToolBarState(saveState().toHex().toStdString());
    m_profile.WriteString(CSettings::kLayout, CSettings::kToolBarsKey, m_settings.ToolBarState());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The placement is taken before the windows go, while it is still what
    // the user sees.
    SaveMainWindowLayout();
    // Each connection asks for itself; one refusal keeps the program open.
    // The active connection closes last, so its windows are the ones the
    // next start opens.
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        if (window != active && !window->close()) {
            event->ignore();
            return;
        }
    }
    if (active && !active->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
