// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

#include "caption_fitting.h"
#include "widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <algorithm>

namespace ostrel::gui {
namespace {

// The caption's font with its letters closed up to fit `width` (see `letterTightening`).
QFont fittedFont(QFont font, const QString &caption, int width)
{
    const QFontMetricsF metrics(font);
    const qreal drawn =
        std::max(metrics.horizontalAdvance(caption), metrics.tightBoundingRect(caption).right());
    const double tightening =
        layout::letterTightening(drawn, width, static_cast<std::size_t>(caption.size()));
    if (tightening > 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, -tightening);
    return font;
}

Qt::Alignment horizontalAlignment(layout::Align align)
{
    switch (align) {
    case layout::Align::centre:
        return Qt::AlignHCenter;
    case layout::Align::right:
        return Qt::AlignRight;
    case layout::Align::left:
        break;
    }
    return Qt::AlignLeft;
}

QWidget *createLabel(const layout::WindowDescription &window, const layout::Control &control,
                     QWidget &container)
{
    const QString caption = toQString(control.text);
    const auto lines = window.captionLinesBesideFields(control);
    if (!lines.empty()) {
        std::vector<FieldRowsLabel::Line> placed;
        for (std::size_t i = 0; i < lines.size(); ++i)
            placed.push_back({toQString(lines[i]), window.lineBand(control, i)});
        return new FieldRowsLabel(caption, std::move(placed), &container);
    }
    QLabel *label = nullptr;
    if (layout::isDescribedByItsCaption(control) || control.selectableText)
        label = new LiveLabel(caption, control.tablePart, &container);
    else if (control.tablePart != layout::TablePart::none)
        label = new Caption(caption, control.tablePart, &container);
    else
        label = new QLabel(caption, &container);
    // Selectable by the mouse only: selecting by keyboard would need the keyboard focus.
    if (control.selectableText)
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontalAlignment(control.align) | Qt::AlignTop);
    label->setWordWrap(window.captionWraps(control));
    const layout::Rect place = layout::toPixels(control.twips);
    const layout::Rect visible = window.visiblePart(control);
    label->setContentsMargins(visible.left, visible.top, place.width - visible.left - visible.width,
                              place.height - visible.top - visible.height);
    return label;
}

QWidget *createWidget(const layout::WindowDescription &window, const layout::Control &control,
                      QWidget &container)
{
    const QString text = toQString(control.text);
    switch (control.kind) {
    case layout::Kind::label:
        return createLabel(window, control, container);
    case layout::Kind::textBox: {
        auto *field = new FieldEdit(&container);
        field->setMaxLength(static_cast<int>(layout::maxTextLength));
        field->setText(text);
        return field;
    }
    case layout::Kind::frame:
        return new FrameBox(text, &container);
    // Qt's radio buttons of one parent exclude each other, as those of one container must.
    case layout::Kind::checkBox:
        return new QCheckBox(text, &container);
    case layout::Kind::radioButton:
        return new QRadioButton(text, &container);
    case layout::Kind::dropDown: {
        auto *list = new QComboBox(&container);
        list->setEditable(true);
        // What is typed stays as typed, for the calculator to read: Qt neither completes it
        // from the items nor adds it to them, and it keeps one line, as a field does.
        list->setCompleter(nullptr);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setValidator(oneLineValidator(list));
        for (const std::u16string_view item : layout::itemsOf(control))
            list->addItem(toQString(item));
        list->setEditText(text);
        return list;
    }
    case layout::Kind::button:
        break;
    }
    return new QPushButton(text, &container);
}

layout::KeyName keyNameOf(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return layout::KeyName::enter;
    case Qt::Key_Escape:
        return layout::KeyName::escape;
    case Qt::Key_C:
        return layout::KeyName::letterC;
    case Qt::Key_Insert:
        return layout::KeyName::insert;
    // The copy key of X11 keyboards, which Qt names F16.
    case Qt::Key_Copy:
    case Qt::Key_F16:
        return layout::KeyName::copy;
    default:
        return layout::KeyName::other;
    }
}

layout::KeyPress keyPressOf(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers held = event.modifiers();
    return {.key = keyNameOf(event.key()),
            .control = held.testFlag(Qt::ControlModifier),
            .shift = held.testFlag(Qt::ShiftModifier),
            .alt = held.testFlag(Qt::AltModifier),
            .logo = held.testFlag(Qt::MetaModifier),
            .repeated = event.isAutoRepeat()};
}

Qt::FocusPolicy focusPolicy(const layout::Control &control)
{
    if (!control.takesFocus())
        return Qt::NoFocus;
    // A key of the on-screen keypad edits the field being typed into, so it must not take the
    // focus away from that field when clicked; Tab still reaches it.
    return control.keepsFocusWhereItIs ? Qt::TabFocus : Qt::StrongFocus;
}

// The palette role that holds one of the desktop's colours.
QPalette::ColorRole paletteRole(layout::SystemColour colour)
{
    switch (colour) {
    case layout::SystemColour::fieldText:
        return QPalette::Text;
    case layout::SystemColour::fieldFace:
        return QPalette::Base;
    case layout::SystemColour::buttonText:
        return QPalette::ButtonText;
    case layout::SystemColour::buttonFace:
        return QPalette::Button;
    case layout::SystemColour::highlightText:
        return QPalette::HighlightedText;
    case layout::SystemColour::windowText:
        return QPalette::WindowText;
    case layout::SystemColour::windowFace:
        break;
    }
    return QPalette::Window;
}

// A colour of the table on this desktop: a fixed colour as it is, a desktop colour from the
// desktop's palette (`desktop`; `systemColour` for Colour::system).
QColor resolveColour(layout::Colour colour, layout::SystemColour systemColour,
                     const QPalette &desktop)
{
    const auto resolved = layout::resolve(colour, systemColour);
    if (const auto *rgb = std::get_if<std::uint32_t>(&resolved))
        return QColor::fromRgb(static_cast<QRgb>(*rgb));
    return desktop.color(paletteRole(std::get<layout::SystemColour>(resolved)));
}

// Gives the widget the control's caption and face colours. Both roles are set on the widget
// itself, so that a control never takes a colour from the frame around it: a caption in the
// green frame stays in the desktop's text colour.
void applyColours(QWidget &widget, const layout::Control &control)
{
    const layout::SystemColours system = layout::systemColoursOf(control.kind);
    const QPalette::ColorRole foreground = paletteRole(system.foreground);
    const QPalette::ColorRole background = paletteRole(system.background);
    const QPalette desktop = QApplication::palette(&widget);
    QPalette palette = widget.palette();
    // The described colours are those of a usable control; a greyed-out one keeps the
    // desktop's disabled colours, so that it looks greyed out.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, foreground,
                         resolveColour(control.foreground, system.foreground, desktop));
        palette.setColor(group, background,
                         resolveColour(control.background, system.background, desktop));
    }
    widget.setPalette(palette);
    // Qt's check boxes and radio buttons fill their face with the button colour, though they
    // stand on the window's face as captions do.
    widget.setForegroundRole(foreground);
    widget.setBackgroundRole(background);
    // Labels, frames, check boxes and radio buttons are opaque: they paint their face before
    // their caption.
    widget.setAutoFillBackground(background == QPalette::Window);
}

} // namespace

QFont controlFont(const layout::Font &font)
{
    QFont qfont;
    if (font.face.empty())
        return qfont;
    QStringList families;
    for (const std::u16string_view family : layout::fontFaces(font.face))
        families << toQString(family);
    qfont.setFamilies(families);
    qfont.setPixelSize(layout::fontPixels(font.points));
    qfont.setBold(font.bold);
    return qfont;
}

void applyLook(QWidget &window, const layout::WindowDescription &description)
{
    const layout::WindowLook &look = description.look();
    window.setWindowTitle(toQString(look.caption));
    window.setFixedSize(description.clientWidthPixels(), description.clientHeightPixels());
    QPalette background = window.palette();
    background.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(look.background)));
    window.setPalette(background);
    window.setAutoFillBackground(true);
}

Controls::Controls(QWidget &client, const layout::WindowDescription &window,
                   layout::WindowRole role, Perform perform)
    : m_client(client)
    , m_window(window)
    , m_role(role)
    , m_perform(std::move(perform))
{
    installAccessibleInterfaces();
    m_widgets.reserve(m_window.controls().size());
    for (const layout::Control &control : m_window.controls()) {
        // The description lists every frame before the controls it holds.
        const layout::Control *frame = m_window.containerOf(control);
        QWidget *container = frame ? widget(*frame) : &client;
        QWidget *created = create(control, *container);
        m_widgets.push_back(created);
        bind(control, *created);
    }
    const auto order = m_window.tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widget(*order[i - 1]), widget(*order[i]));
    // Each field names the label that shows its caption to assistive technology.
    for (const layout::Control &control : m_window.controls()) {
        const layout::Control *caption = m_window.labelledBy(control);
        auto *field = qobject_cast<FieldEdit *>(widget(control));
        auto *label = caption ? qobject_cast<QLabel *>(widget(*caption)) : nullptr;
        if (field && label)
            field->setCaption(*label);
    }
    client.installEventFilter(this);
    for (QWidget *control : m_widgets) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

QWidget *Controls::create(const layout::Control &control, QWidget &container)
{
    QWidget *widget = createWidget(m_window, control, container);
    widget->setObjectName(toQString(control.id));
    widget->setGeometry(toQRect(layout::toPixels(control.twips)));
    if (!control.font.face.empty()) {
        QFont font = controlFont(control.font);
        auto *label = qobject_cast<QLabel *>(widget);
        // A caption beside fields wraps (see `FieldRowsLabel`).
        if (label && !label->wordWrap())
            font = fittedFont(font, label->text(), label->contentsRect().width());
        widget->setFont(font);
    }
    applyColours(*widget, control);
    widget->setFocusPolicy(focusPolicy(control));
    widget->setHidden(!control.visible);
    widget->setAccessibleName(toQString(layout::accessibleName(control)));
    widget->setAccessibleDescription(toQString(layout::accessibleDescription(control)));
    return widget;
}

const layout::Control *Controls::controlOf(const QWidget *widget) const
{
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), widget);
    if (!widget || found == m_widgets.end())
        return nullptr;
    return &m_window.controls()[static_cast<std::size_t>(found - m_widgets.begin())];
}

void Controls::bindSelection(QLineEdit &field)
{
    QObject::connect(&field, &QLineEdit::selectionChanged, &field, [this, &field] {
        if (layout::keepsCaptionSelection(field.hasSelectedText()))
            return;
        for (LiveLabel *selectable : m_selectable) {
            if (selectable->hasSelectedText())
                selectable->setSelection(0, 0);
        }
    });
}

void Controls::bind(const layout::Control &control, QWidget &widget)
{
    const Action onClick = control.action;
    const Action onEnter = control.actionOnEnter();
    const auto run = [this](const Action &action) { return [this, action] { m_perform(action); }; };
    if (auto *field = qobject_cast<FieldEdit *>(&widget)) {
        QObject::connect(field, &FieldEdit::clicked, field, run(onClick));
        QObject::connect(field, &QLineEdit::returnPressed, field, run(onEnter));
        bindSelection(*field);
    } else if (auto *button = qobject_cast<QAbstractButton *>(&widget)) {
        // Qt has ticked or checked a check box or radio button when `clicked` comes, by the
        // mouse or by the keyboard, so its action sees the new state. Enter: `eventFilter`.
        QObject::connect(button, &QAbstractButton::clicked, button, run(onClick));
    } else if (auto *list = qobject_cast<QComboBox *>(&widget)) {
        // An item chosen from the list, Return, or the focus leaving after typing hands the
        // edit part's text to the calculator once; whatever it then shows is the calculator's.
        QLineEdit *edit = list->lineEdit();
        bindSelection(*edit);
        QObject::connect(list, &QComboBox::activated, list, run(onClick));
        QObject::connect(edit, &QLineEdit::returnPressed, edit, [this, edit, onEnter] {
            edit->setModified(false);
            m_perform(onEnter);
        });
        // The focus leaves for another control of the window: not for the drop-down's own
        // list, a message box or another program, which all give it back.
        const auto leave = [this, list, edit, onClick](QWidget *from, QWidget *to) {
            if (from != list || !to || to->window() != list->window() || !edit->isModified())
                return;
            edit->setModified(false);
            m_perform(onClick);
        };
        QObject::connect(qApp, &QApplication::focusChanged, list, leave);
    } else if (auto *label = qobject_cast<LiveLabel *>(&widget); label && control.selectableText) {
        m_selectable.push_back(label);
    }
}

bool Controls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && watched == &m_client)
        return answer(layout::CloseRequest::closeButton, {}, *event);
    if (event->type() != QEvent::KeyPress)
        return false;
    const layout::KeyPress press = keyPressOf(*static_cast<QKeyEvent *>(event));
    if (press.key == layout::KeyName::escape)
        return answer(layout::CloseRequest::escape, press, *event);
    const layout::Control *control = controlOf(qobject_cast<QWidget *>(watched));
    if (!control)
        return false;
    // A field's and a drop-down's edit part report Enter themselves (see `bind`).
    if (press.key == layout::KeyName::enter && layout::enterPressesOnce(control->kind)) {
        if (const auto action = layout::enterAction(*control, press))
            m_perform(*action);
        return true;
    }
    for (LiveLabel *selectable : m_selectable) {
        if (layout::copiesCaptionSelection(press, selectable->hasSelectedText())) {
            selectable->copySelection();
            return true;
        }
    }
    return false;
}

bool Controls::answer(layout::CloseRequest request, const layout::KeyPress &press, QEvent &event)
{
    switch (layout::answerTo(request, m_role, press)) {
    case layout::CloseAnswer::close:
        return false; // Qt closes the window
    case layout::CloseAnswer::closeDialog:
        m_perform(CloseDialog{});
        break;
    case layout::CloseAnswer::ignore:
        // Escape goes on to the controls, which do nothing with it.
        if (request == layout::CloseRequest::escape)
            return false;
        break;
    }
    // Escape goes no further; a close event ignored leaves the window open.
    event.setAccepted(request == layout::CloseRequest::escape);
    return true;
}

} // namespace ostrel::gui
