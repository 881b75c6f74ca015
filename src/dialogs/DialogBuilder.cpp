// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/DialogBuilder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <array>
#include <cmath>
#include <map>

#include "dialogs/SimpleComboBox.h"

namespace {

// Button kinds (the low four style bits).
enum ButtonType : std::uint32_t {
    kPushButton = 0,
    kDefPushButton = 1,
    kCheckBox = 2,
    kAutoCheckBox = 3,
    kRadioButton = 4,
    k3State = 5,
    kAuto3State = 6,
    kGroupBox = 7,
    kAutoRadioButton = 9,
};
constexpr std::uint32_t kButtonTypeMask = 0x0F;

constexpr std::uint32_t kEsCenter = 0x0001;
constexpr std::uint32_t kEsRight = 0x0002;
constexpr std::uint32_t kEsMultiLine = 0x0004;
constexpr std::uint32_t kEsPassword = 0x0020;
constexpr std::uint32_t kEsAutoHScroll = 0x0080;
constexpr std::uint32_t kEsReadOnly = 0x0800;
constexpr std::uint32_t kEsWantReturn = 0x1000;
constexpr std::uint32_t kEsNumber = 0x2000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsExClientEdge = 0x00000200;

constexpr std::uint32_t kSsTypeMask = 0x1F;
constexpr std::uint32_t kSsCenter = 0x01;
constexpr std::uint32_t kSsRight = 0x02;
constexpr std::uint32_t kSsBlackRect = 0x04;
constexpr std::uint32_t kSsWhiteFrame = 0x09;
constexpr std::uint32_t kSsSimple = 0x0B;
constexpr std::uint32_t kSsLeftNoWordWrap = 0x0C;
constexpr std::uint32_t kSsEtchedHorz = 0x10;
constexpr std::uint32_t kSsEtchedVert = 0x11;
constexpr std::uint32_t kSsEtchedFrame = 0x12;
constexpr std::uint32_t kSsNoPrefix = 0x80;
constexpr std::uint32_t kSsCenterImage = 0x200;
constexpr std::uint32_t kSsSunken = 0x1000;

constexpr std::uint32_t kLbsSort = 0x0002;
constexpr std::uint32_t kLbsMultipleSel = 0x0008;
constexpr std::uint32_t kLbsExtendedSel = 0x0800;
constexpr std::uint32_t kLbsNoSel = 0x4000;

constexpr std::uint32_t kSbsVert = 0x0001;

constexpr std::uint32_t kCbsTypeMask = 0x0003;
constexpr std::uint32_t kCbsSimple = 0x0001;
constexpr std::uint32_t kCbsDropDownList = 0x0003;
constexpr std::uint32_t kCbsSort = 0x0100;

// A multi-line edit without the want-return style leaves Enter to the
// dialog, which presses its default button; only Ctrl+Enter breaks the line.
class CEnterToDialog : public QObject {
  public:
    CEnterToDialog(QDialog& dialog, QObject* parent) : QObject(parent), m_dialog(dialog) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers() == Qt::ControlModifier) {
            if (auto* edit = qobject_cast<QPlainTextEdit*>(watched)) {
                if (!edit->isReadOnly()) edit->insertPlainText(QStringLiteral("\n"));
                return true;
            }
        }
        if (!enter || key->modifiers() != Qt::NoModifier) return false;
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(&m_dialog, &copy);
        return true;
    }

  private:
    QDialog& m_dialog;
};

// The dialog asks for the message box font with this point size.
constexpr std::uint16_t kShellFontSize = 0x7FFF;

// Set on a check box or radio button whose owner decides its state: the
// platform's non-automatic kinds do not change when clicked.
constexpr char kOwnerState[] = "kordaneOwnerState";

int Scale(int units, int base, int per) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / per));
}

QString FromUtf16(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The text of a static without its mnemonic marks, as the platform draws
// it when no control follows to take the mnemonic.
QString StripMnemonics(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        out += text[i];
    }
    return out;
}

int SortedIndex(const QStringList& items, const QString& text) {
    int i = 0;
    while (i < items.size() && QString::compare(items[i], text, Qt::CaseInsensitive) <= 0) ++i;
    return i;
}

QStringList Items(const QListWidget& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
    return items;
}

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    return items;
}

void AddListString(QListWidget& list, const QString& text, bool sorted) {
    list.insertItem(sorted ? SortedIndex(Items(list), text) : list.count(), text);
}

void AddComboString(SDialogControl& control, const QString& text) {
    const bool sorted = (control.style & kCbsSort) != 0;
    if (auto* simple = qobject_cast<CSimpleComboBox*>(control.widget)) {
        AddListString(*simple->List(), text, sorted);
    } else if (auto* combo = qobject_cast<QComboBox*>(control.widget)) {
        combo->insertItem(sorted ? SortedIndex(Items(*combo), text) : combo->count(), text);
        // Adding strings leaves the selection empty, as on the platform.
        combo->setCurrentIndex(-1);
    }
}

class Builder {
  public:
    Builder(const CDialogTemplate& t, QDialog& dialog)
        : m_template(t),
          m_dialog(dialog),
          m_base(CDialogBuilder::BaseUnits(
              CDialogBuilder::TemplateFont(t, QApplication::font(&dialog)))) {}

    std::vector<SDialogControl> Build() {
        m_dialog.setWindowTitle(FromUtf16(m_template.title));
        m_dialog.setFont(CDialogBuilder::TemplateFont(m_template, QApplication::font(&m_dialog)));
        m_dialog.setFixedSize(X(m_template.cx), Y(m_template.cy));
        std::vector<SDialogControl> controls;
        controls.reserve(m_template.items.size());
        for (const SDialogItem& item : m_template.items) {
            if (item.style & CDialogBuilder::kWsGroup) ++m_group;
            controls.push_back(Create(item));
        }
        Finish(controls);
        for (const SDialogInitEntry& entry : m_template.initEntries) AddInitString(controls, entry);
        return controls;
    }

  private:
    int X(int units) const { return Scale(units, m_base.width(), 4); }
    int Y(int units) const { return Scale(units, m_base.height(), 8); }

    SDialogControl Create(const SDialogItem& item) {
        SDialogControl control;
        control.kind = CDialogBuilder::KindOf(item.windowClass);
        control.id = item.id;
        control.style = item.style;
        const QString title =
            item.title.kind == SResourceId::Kind::Text ? FromUtf16(item.title.text) : QString();
        QRect rect(X(item.x), Y(item.y), X(item.cx), Y(item.cy));
        switch (control.kind) {
            case DialogControlKind::Button:
                control.widget = CreateButton(item, title);
                break;
            case DialogControlKind::Edit:
                control.widget = CreateEdit(item, title);
                break;
            case DialogControlKind::Static:
                control.widget = CreateStatic(item, title);
                break;
            case DialogControlKind::ListBox:
                control.widget = CreateList(item);
                control.windowText = title;
                break;
            case DialogControlKind::ScrollBar: {
                auto* bar = new QScrollBar(item.style & kSbsVert ? Qt::Vertical : Qt::Horizontal,
                                           &m_dialog);
                // A scroll bar control starts with an empty range.
                bar->setRange(0, 0);
                control.widget = bar;
                control.windowText = title;
                break;
            }
            case DialogControlKind::ComboBox:
                control.widget = CreateCombo(item, title, rect);
                break;
            case DialogControlKind::Other: {
                // A class this program does not have: the space stays empty,
                // framed when the template asks for a border.
                auto* frame = new QFrame(&m_dialog);
                if (item.style & kWsBorder) frame->setFrameShape(QFrame::Box);
                control.widget = frame;
                control.windowText = title;
                break;
            }
        }
        control.widget->setGeometry(rect);
        if (!(item.style & CDialogBuilder::kWsVisible)) control.widget->hide();
        if (item.style & CDialogBuilder::kWsDisabled) control.widget->setEnabled(false);
        return control;
    }

    QWidget* CreateButton(const SDialogItem& item, const QString& title) {
        const std::uint32_t type = item.style & kButtonTypeMask;
        switch (type) {
            case kCheckBox:
            case kAutoCheckBox:
            case k3State:
            case kAuto3State: {
                auto* box = new QCheckBox(title, &m_dialog);
                box->setTristate(type == k3State || type == kAuto3State);
                if (type == kCheckBox || type == k3State) OwnerDecides(box);
                return box;
            }
            case kRadioButton:
            case kAutoRadioButton: {
                auto* radio = new QRadioButton(title, &m_dialog);
                if (type == kRadioButton) {
                    radio->setAutoExclusive(false);
                    OwnerDecides(radio);
                } else {
                    // Automatic radio buttons exclude each other within
                    // their group (from one WS_GROUP control to the next).
                    QButtonGroup*& group = m_radioGroups[m_group];
                    if (!group) group = new QButtonGroup(&m_dialog);
                    group->addButton(radio);
                }
                return radio;
            }
            case kGroupBox:
                return new QGroupBox(title, &m_dialog);
            default: {
                auto* push = new QPushButton(title, &m_dialog);
                push->setDefault(type == kDefPushButton);
                return push;
            }
        }
    }

    // The owner of a non-automatic box sets its state; a click only tells.
    void OwnerDecides(QAbstractButton* button) {
        button->setProperty(kOwnerState, static_cast<int>(Qt::Unchecked));
        QObject::connect(button, &QAbstractButton::clicked, button, [button] {
            const int state = button->property(kOwnerState).toInt();
            if (auto* box = qobject_cast<QCheckBox*>(button))
                box->setCheckState(static_cast<Qt::CheckState>(state));
            else
                button->setChecked(state != Qt::Unchecked);
        });
    }

    QWidget* CreateEdit(const SDialogItem& item, const QString& title) {
        const bool framed = (item.style & kWsBorder) || (item.exStyle & kWsExClientEdge);
        if (item.style & kEsMultiLine) {
            auto* edit = new QPlainTextEdit(&m_dialog);
            edit->setPlainText(title);
            edit->setReadOnly(item.style & kEsReadOnly);
            edit->setTabChangesFocus(true);
            edit->setLineWrapMode((item.style & (kEsAutoHScroll | CDialogBuilder::kWsHScroll))
                                      ? QPlainTextEdit::NoWrap
                                      : QPlainTextEdit::WidgetWidth);
            edit->setVerticalScrollBarPolicy((item.style & CDialogBuilder::kWsVScroll)
                                                 ? Qt::ScrollBarAlwaysOn
                                                 : Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy((item.style & CDialogBuilder::kWsHScroll)
                                                   ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
            if (!framed) edit->setFrameShape(QFrame::NoFrame);
            if (!(item.style & kEsWantReturn))
                edit->installEventFilter(new CEnterToDialog(m_dialog, edit));
            return edit;
        }
        auto* edit = new QLineEdit(title, &m_dialog);
        edit->setFrame(framed);
        edit->setReadOnly(item.style & kEsReadOnly);
        if (item.style & kEsPassword) edit->setEchoMode(QLineEdit::Password);
        if (item.style & kEsNumber)
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        if (item.style & kEsCenter)
            edit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        else if (item.style & kEsRight)
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return edit;
    }

    QWidget* CreateStatic(const SDialogItem& item, const QString& title) {
        const std::uint32_t type = item.style & kSsTypeMask;
        if (type >= kSsBlackRect && type <= kSsWhiteFrame) {
            auto* frame = new QFrame(&m_dialog);
            frame->setFrameShape((type - kSsBlackRect) % 3 == 0 ? QFrame::Panel : QFrame::Box);
            return frame;
        }
        if (type >= kSsEtchedHorz && type <= kSsEtchedFrame) {
            auto* frame = new QFrame(&m_dialog);
            frame->setFrameShape(type == kSsEtchedHorz   ? QFrame::HLine
                                 : type == kSsEtchedVert ? QFrame::VLine
                                                         : QFrame::Box);
            frame->setFrameShadow(QFrame::Sunken);
            return frame;
        }
        // Server text is data: a label never reads it as markup.
        auto* label = new QLabel(&m_dialog);
        label->setTextFormat(Qt::PlainText);
        label->setText(title);
        Qt::Alignment align = Qt::AlignLeft;
        if (type == kSsCenter) align = Qt::AlignHCenter;
        if (type == kSsRight) align = Qt::AlignRight;
        align |= (item.style & kSsCenterImage) ? Qt::AlignVCenter : Qt::AlignTop;
        label->setAlignment(align);
        label->setWordWrap(type != kSsSimple && type != kSsLeftNoWordWrap && type <= kSsRight);
        if (item.style & kSsSunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (!(item.style & kSsNoPrefix)) m_mnemonicLabels.push_back(label);
        return label;
    }

    QWidget* CreateList(const SDialogItem& item) {
        auto* list = new QListWidget(&m_dialog);
        if (item.style & kLbsNoSel)
            list->setSelectionMode(QAbstractItemView::NoSelection);
        else if (item.style & kLbsExtendedSel)
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        else if (item.style & kLbsMultipleSel)
            list->setSelectionMode(QAbstractItemView::MultiSelection);
        return list;
    }

    QWidget* CreateCombo(const SDialogItem& item, const QString& title, QRect& rect) {
        const std::uint32_t type = item.style & kCbsTypeMask;
        if (type == kCbsSimple) {
            QLineEdit probe;
            probe.setFont(m_dialog.font());
            auto* simple = new CSimpleComboBox(probe.sizeHint().height(), &m_dialog);
            simple->Edit()->setText(title);
            return simple;
        }
        auto* combo = new QComboBox(&m_dialog);
        combo->setEditable(type != kCbsDropDownList);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->isEditable()) {
            combo->setCompleter(nullptr);
            combo->setEditText(title);
        }
        // The template's height includes the dropped-down list; the closed
        // box is as high as its font makes it.
        rect.setHeight(combo->sizeHint().height());
        return combo;
    }

    void Finish(std::vector<SDialogControl>& controls) {
        QWidget* previous = nullptr;
        for (SDialogControl& control : controls) {
            QWidget* w = control.widget;
            const bool canFocus = control.kind == DialogControlKind::Edit ||
                                  control.kind == DialogControlKind::ListBox ||
                                  control.kind == DialogControlKind::ComboBox ||
                                  control.kind == DialogControlKind::ScrollBar ||
                                  (control.kind == DialogControlKind::Button &&
                                   (control.style & kButtonTypeMask) != kGroupBox);
            if (!canFocus) {
                w->setFocusPolicy(Qt::NoFocus);
                continue;
            }
            // Tab visits only tab stops, in creation order; a click still
            // focuses any control.
            w->setFocusPolicy((control.style & CDialogBuilder::kWsTabStop) ? Qt::StrongFocus
                                                                           : Qt::ClickFocus);
            if (auto* combo = qobject_cast<CSimpleComboBox*>(w))
                combo->Edit()->setFocusPolicy(w->focusPolicy());
            if (previous) QWidget::setTabOrder(previous, w);
            previous = w;
        }
        // A static's mnemonic moves to the control created after it.
        for (QLabel* label : m_mnemonicLabels) {
            QWidget* next = nullptr;
            for (std::size_t i = 0; i + 1 < controls.size() && !next; ++i)
                if (controls[i].widget == label) next = controls[i + 1].widget;
            if (next && label->text().contains(u'&'))
                label->setBuddy(next);
            else
                label->setText(StripMnemonics(label->text()));
        }
    }

    void AddInitString(std::vector<SDialogControl>& controls, const SDialogInitEntry& entry) {
        for (SDialogControl& control : controls) {
            if (control.id != entry.controlId) continue;
            // Only the first control with the id is found, as the platform
            // finds one by its id.
            const QString text = CDialogBuilder::FromWindows1252(entry.data);
            if (control.kind == DialogControlKind::ListBox &&
                entry.message == CDialogTemplate::kListBoxAddString) {
                AddListString(*static_cast<QListWidget*>(control.widget), text,
                              (control.style & kLbsSort) != 0);
            } else if (control.kind == DialogControlKind::ComboBox &&
                       entry.message == CDialogTemplate::kComboBoxAddString) {
                AddComboString(control, text);
            }
            return;
        }
    }

    const CDialogTemplate& m_template;
    QDialog& m_dialog;
    QSize m_base;
    int m_group = 0;
    std::map<int, QButtonGroup*> m_radioGroups;
    std::vector<QLabel*> m_mnemonicLabels;
};

bool SameClass(const std::u16string& name, const char* ascii) {
    std::size_t i = 0;
    for (; ascii[i] != 0; ++i) {
        if (i >= name.size()) return false;
        char16_t c = name[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != static_cast<char16_t>(ascii[i])) return false;
    }
    return i == name.size();
}

}  // namespace

std::vector<SDialogControl> CDialogBuilder::Build(const CDialogTemplate& dialogTemplate,
                                                  QDialog& dialog) {
    return Builder(dialogTemplate, dialog).Build();
}

QFont CDialogBuilder::TemplateFont(const CDialogTemplate& t, const QFont& fallback) {
    if (!t.hasFont || t.pointSize == kShellFontSize || t.pointSize == 0) return fallback;
    QFont font(FromUtf16(t.face), t.pointSize);
    if (t.extended && t.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::min<int>(t.weight, QFont::Black)));
    font.setItalic(t.extended && t.italic);
    return font;
}

QSize CDialogBuilder::BaseUnits(const QFont& font) {
    // The platform takes the average over the 52 letters, rounded.
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {std::max(1, (letters / 26 + 1) / 2), std::max(1, metrics.height())};
}

DialogControlKind CDialogBuilder::KindOf(const SResourceId& windowClass) {
    if (windowClass.kind == SResourceId::Kind::Ordinal) {
        switch (static_cast<DialogControlClass>(windowClass.ordinal)) {
            case DialogControlClass::Button:
                return DialogControlKind::Button;
            case DialogControlClass::Edit:
                return DialogControlKind::Edit;
            case DialogControlClass::Static:
                return DialogControlKind::Static;
            case DialogControlClass::ListBox:
                return DialogControlKind::ListBox;
            case DialogControlClass::ScrollBar:
                return DialogControlKind::ScrollBar;
            case DialogControlClass::ComboBox:
                return DialogControlKind::ComboBox;
        }
        return DialogControlKind::Other;
    }
    if (windowClass.kind != SResourceId::Kind::Text) return DialogControlKind::Other;
    static const std::array<std::pair<const char*, DialogControlKind>, 6> kNames = {{
        {"button", DialogControlKind::Button},
        {"edit", DialogControlKind::Edit},
        {"static", DialogControlKind::Static},
        {"listbox", DialogControlKind::ListBox},
        {"scrollbar", DialogControlKind::ScrollBar},
        {"combobox", DialogControlKind::ComboBox},
    }};
    for (const auto& [name, kind] : kNames)
        if (SameClass(windowClass.text, name)) return kind;
    return DialogControlKind::Other;
}

QString CDialogBuilder::Text(const SDialogControl& c) {
    QWidget* w = c.widget;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* s = qobject_cast<CSimpleComboBox*>(w)) return s->Edit()->text();
    if (auto* co = qobject_cast<QComboBox*>(w)) return co->currentText();
    return c.windowText;
}

void CDialogBuilder::SetText(SDialogControl& c, const QString& text) {
    QWidget* w = c.widget;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setPlainText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(l->buddy() ? text : StripMnemonics(text));
    else if (auto* s = qobject_cast<CSimpleComboBox*>(w))
        s->Edit()->setText(text);
    else if (auto* co = qobject_cast<QComboBox*>(w)) {
        if (co->isEditable())
            co->setEditText(text);
        else  // a drop-down list takes a text by choosing the item that has it
            co->setCurrentIndex(co->findText(text, Qt::MatchFixedString));
    } else {
        c.windowText = text;
    }
}

int CDialogBuilder::Selection(const SDialogControl& c) {
    if (auto* list = qobject_cast<QListWidget*>(c.widget)) {
        if (list->selectionMode() != QAbstractItemView::SingleSelection) return list->currentRow();
        const QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    }
    if (auto* simple = qobject_cast<CSimpleComboBox*>(c.widget)) return simple->CurrentIndex();
    if (auto* combo = qobject_cast<QComboBox*>(c.widget)) return combo->currentIndex();
    return -1;
}

void CDialogBuilder::SetSelection(SDialogControl& c, int index) {
    if (auto* list = qobject_cast<QListWidget*>(c.widget)) {
        list->clearSelection();
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index);
        } else {
            list->setCurrentRow(-1);
        }
    } else if (auto* simple = qobject_cast<CSimpleComboBox*>(c.widget)) {
        simple->SetCurrentIndex(index);
    } else if (auto* combo = qobject_cast<QComboBox*>(c.widget)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

int CDialogBuilder::CheckState(const SDialogControl& c) {
    if (auto* box = qobject_cast<QCheckBox*>(c.widget)) {
        switch (box->checkState()) {
            case Qt::Unchecked:
                return kUnchecked;
            case Qt::PartiallyChecked:
                return kIndeterminate;
            case Qt::Checked:
                return kChecked;
        }
    }
    if (auto* radio = qobject_cast<QRadioButton*>(c.widget))
        return radio->isChecked() ? kChecked : kUnchecked;
    return kUnchecked;
}

void CDialogBuilder::SetCheckState(SDialogControl& c, int state) {
    auto* button = qobject_cast<QAbstractButton*>(c.widget);
    if (!button || !button->isCheckable()) return;
    const Qt::CheckState qt = state == kChecked         ? Qt::Checked
                              : state == kIndeterminate ? Qt::PartiallyChecked
                                                        : Qt::Unchecked;
    if (button->property(kOwnerState).isValid()) button->setProperty(kOwnerState, qt);
    if (auto* box = qobject_cast<QCheckBox*>(button))
        box->setCheckState(box->isTristate() || qt != Qt::PartiallyChecked ? qt : Qt::Checked);
    else
        button->setChecked(qt != Qt::Unchecked);
}

QString CDialogBuilder::FromWindows1252(std::string_view bytes) {
    // 0x80..0x9F differ from Latin-1; the five unassigned codes stay as
    // the control characters Latin-1 gives them.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return text;
}
