// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/OptionsMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>

#include "app/UserButtonsDialog.h"

namespace {

using Option = CSettings::Option;

struct Toggle {
    const char* text;
    Option option;
    OptionEffect effect;
};

// In menu order: the Options menu itself, then "Board", then "Advanced".
constexpr Toggle kToggles[] = {
    {"&Always Queen", Option::AlwaysQueen, OptionEffect::None},
    {"&Drag move", Option::DragMove, OptionEffect::None},
    {"&Smart move", Option::SmartMove, OptionEffect::None},
    {"Show &Tenths", Option::ShowTenthsAlways, OptionEffect::Clocks},
    {"Show T&enths when low", Option::ShowTenthsWhenLow, OptionEffect::Clocks},
    {"Material &Count", Option::Strength, OptionEffect::GameLabels},
    {"Show Capt&ured Pieces", Option::ShowCaptures, OptionEffect::PiecePanel},
    {"A&nimate Moves", Option::AnimateMoves, OptionEffect::None},
    {"&Confirm Resignations", Option::ConfirmResign, OptionEffect::None},
    {"&Log my Games", Option::LogMyGames, OptionEffect::None},
    {"&Use SFilter", Option::UseSfilter, OptionEffect::SeekFilter},
    // Board
    {"Draw C&oordinates", Option::DrawCoords, OptionEffect::Boards},
    {"&Highlight Moves", Option::HighlightMoves, OptionEffect::Boards},
    // Advanced
    {"&Disable Board Console", Option::BypassConsole, OptionEffect::GameLayout},
    {"Dis&able Challenge Popups", Option::BypassMatch, OptionEffect::None},
    {"Disable &Game Lists", Option::BypassGamelist, OptionEffect::GameLists},
    {"&Examine-mode palette", Option::ExaminePlunkers, OptionEffect::PiecePanel},
    {"Disable &Hyperlinks", Option::DisableURLs, OptionEffect::Links},
};
constexpr int kMainToggles = 11;
constexpr int kBoardToggles = 13;

constexpr const char* kBoardStyles[] = {
    "&Wooden Board",         "&Marble Board", "Wooden Board #&2",    "&Asbestos Board",
    "&Polished Stone Board", "Marble #2",     "&Solid-colored Board"};
constexpr int kBoardStyleValues[] = {0, 1, 2, 3, 4, 5, 6};
constexpr const char* kPieceSets[] = {"Classic", "Cream and red", "Cream and black", "Column",
                                      "Vector",  "Plastic 3D",    "Alternate 3D",    "Wood 3D"};
constexpr int kPieceSetValues[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr const char* kDragTypes[] = {"Normal", "Target Cursor", "Piece Cursor"};
constexpr int kDragTypeValues[] = {0, 1, 2};
constexpr const char* kSpeeds[] = {"0.1 s", "0.2 s", "0.4 s", "0.6 s", "0.8 s", "1.0 s", "1.5 s"};
constexpr int kSpeedValues[] = {100, 200, 400, 600, 800, 1000, 1500};

struct ColourItem {
    const char* text;
    CSettings::BoardColour colour;
};
constexpr ColourItem kColourItems[] = {
    {"&Light Square...", CSettings::BoardColour::LightSquare},
    {"&Dark Square...", CSettings::BoardColour::DarkSquare},
    {"&Highlight...", CSettings::BoardColour::Highlight},
    {"&Arrow...", CSettings::BoardColour::Arrow},
    {"&Circle...", CSettings::BoardColour::Circle},
};

// 0x00BBGGRR, as the settings file keeps colours.
QColor ToColor(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

uint32_t FromColor(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

OptionEffect EffectOf(Option option) {
    for (const Toggle& t : kToggles) {
        if (t.option == option) return t.effect;
    }
    return option == Option::AnimateTime || option == Option::DragType ? OptionEffect::None
                                                                       : OptionEffect::Boards;
}

}  // namespace

COptionsMenu::COptionsMenu(QMenu* options, CSettings& settings, QWidget* dialogParent)
    : QObject(options), m_settings(settings), m_dialogParent(dialogParent) {
    AddToggles(options, 0, kMainToggles);
    AddChoices(options->addMenu(QStringLiteral("Dragged &Piece")), Option::DragType, kDragTypes,
               kDragTypeValues, std::size(kDragTypes));
    AddChoices(options->addMenu(QStringLiteral("Animation S&peed")), Option::AnimateTime, kSpeeds,
               kSpeedValues, std::size(kSpeeds));

    QMenu* board = options->addMenu(QStringLiteral("&Board"));
    AddToggles(board, kMainToggles, kBoardToggles);
    board->addSeparator();
    AddChoices(board, Option::BoardStyle, kBoardStyles, kBoardStyleValues, std::size(kBoardStyles));
    board->addSeparator();
    AddChoices(board->addMenu(QStringLiteral("P&ieces")), Option::PieceSet, kPieceSets,
               kPieceSetValues, std::size(kPieceSets));
    AddColourItems(board->addMenu(QStringLiteral("Co&lors")));

    AddToggles(options->addMenu(QStringLiteral("Ad&vanced")), kBoardToggles, std::size(kToggles));
    options->addSeparator();
    options->addAction(QStringLiteral("Customize &Text..."), this, &COptionsMenu::customizeText);
    options->addAction(QStringLiteral("Customize C&onsole..."), this,
                       &COptionsMenu::customizeConsole);
    options->addAction(QStringLiteral("Customize C&hannel Colors..."), this,
                       &COptionsMenu::customizeChannelColours);
    options->addAction(QStringLiteral("Customize User &Buttons..."), this, [this] {
        CUserButtonsDialog dialog(m_settings, m_dialogParent);
        if (dialog.exec() == QDialog::Accepted) emit userButtonsChanged();
    });
    options->addSeparator();

    connect(options, &QMenu::aboutToShow, this, &COptionsMenu::UpdateChecks);
    UpdateChecks();
}

void COptionsMenu::AddToggles(QMenu* menu, int first, int last) {
    for (int i = first; i < last; ++i) {
        const Toggle& t = kToggles[i];
        QAction* action = menu->addAction(QString::fromLatin1(t.text));
        action->setCheckable(true);
        const Option option = t.option;
        const OptionEffect effect = t.effect;
        connect(action, &QAction::triggered, this, [this, option, effect](bool on) {
            m_settings.Set(option, on ? 1 : 0);
            UpdateChecks();
            emit optionChanged(option, effect);
        });
        m_toggles.emplace_back(action, option);
    }
}

void COptionsMenu::AddChoices(QMenu* menu, Option option, const char* const* texts,
                              const int* values, int count) {
    auto* group = new QActionGroup(menu);
    for (int i = 0; i < count; ++i) {
        QAction* action = menu->addAction(QString::fromLatin1(texts[i]));
        action->setCheckable(true);
        group->addAction(action);
        const int value = values[i];
        connect(action, &QAction::triggered, this, [this, option, value] {
            m_settings.Set(option, value);
            UpdateChecks();
            emit optionChanged(option, EffectOf(option));
        });
        m_choices.push_back({action, option, value});
    }
}

void COptionsMenu::AddColourItems(QMenu* menu) {
    for (const ColourItem& item : kColourItems) {
        const CSettings::BoardColour colour = item.colour;
        menu->addAction(QString::fromLatin1(item.text), this, [this, colour] {
            const QColor chosen =
                QColorDialog::getColor(ToColor(m_settings.Colour(colour)), m_dialogParent);
            if (!chosen.isValid()) return;
            m_settings.SetColour(colour, FromColor(chosen));
            // New square colours only show on the solid-coloured board.
            if (colour == CSettings::BoardColour::LightSquare ||
                colour == CSettings::BoardColour::DarkSquare) {
                m_settings.Set(Option::BoardStyle, 6);
            }
            emit optionChanged(Option::BoardStyle, OptionEffect::Boards);
        });
    }
}

QAction* COptionsMenu::ToggleFor(Option option) const {
    for (const auto& [action, o] : m_toggles) {
        if (o == option) return action;
    }
    return nullptr;
}

void COptionsMenu::UpdateChecks() {
    for (const auto& [action, option] : m_toggles) {
        action->setChecked(m_settings.Flag(option));
        if (option == Option::ShowTenthsWhenLow) {
            action->setEnabled(!m_settings.Flag(Option::ShowTenthsAlways));
        }
    }
    for (const Choice& choice : m_choices) {
        choice.action->setChecked(m_settings.Value(choice.option) == choice.value);
    }
}
