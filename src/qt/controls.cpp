// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

#include "accessibility.h"
#include "colours.h"
#include "fonts.h"
#include "qt_text.h"
#include "widgets.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace ostrel::gui {
namespace {

QRect toQRect(const layout::Rect &pixels)
{
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

// The bands of the entry fields that share the label's frame, in the label's coordinates.
std::vector<FieldRowsLabel::Row> fieldRowsBeside(const layout::Control &label)
{
    const layout::Rect place = layout::toPixels(label.twips);
    std::vector<FieldRowsLabel::Row> rows;
    for (const layout::Control &control : layout::controls()) {
        if (control.kind != layout::Kind::textBox || control.container != label.container)
            continue;
        const layout::Rect field = layout::toPixels(control.twips);
        rows.push_back({field.top - place.top, field.height});
    }
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.top < b.top; });
    rows.erase(std::unique(rows.begin(), rows.end(),
                           [](const auto &a, const auto &b) { return a.top == b.top; }),
               rows.end());
    return rows;
}

// A Chinese face a pixel wider than the one the window was drawn for would cut the last
// stroke of a one-line caption that fills its place ("/千"). Rather than move the place, the
// caption's letters close up by a pixel or two, which the eye does not notice.
QFont fittedFont(QFont font, const QString &caption, int width)
{
    constexpr qreal mostTightening = 2.0;
    const qreal gaps = static_cast<qreal>(caption.size() - 1);
    const QFontMetricsF metrics(font);
    const qreal excess =
        std::max(metrics.horizontalAdvance(caption), metrics.tightBoundingRect(caption).right()) -
        width;
    if (gaps < 1 || excess <= 0)
        return font;
    font.setLetterSpacing(QFont::AbsoluteSpacing,
                          -std::min(std::ceil(excess / gaps), mostTightening));
    return font;
}

QWidget *createLabel(const layout::Control &control, QWidget &container)
{
    const QString caption = toQString(control.text);
    const layout::Control *frame = layout::containerOf(control);
    if (frame && frame->kind == layout::Kind::frame) {
        auto rows = fieldRowsBeside(control);
        if (!rows.empty())
            return new FieldRowsLabel(caption, std::move(rows), &container);
    }
    auto *label =
        control.isResultLine ? new LiveLabel(caption, &container) : new QLabel(caption, &container);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A caption wraps only where its place holds more than one line: a one-line caption a
    // pixel too wide loses that pixel, not its last character to a line nobody can see.
    const layout::Rect place = layout::clientPixels(control);
    label->setWordWrap(place.height >= 2 * QFontMetrics(controlFont(control.font)).lineSpacing());
    // The part of a place outside the client area cannot be seen, so the caption keeps to
    // the visible part.
    const int clientWidth = layout::twipsToPixels(layout::window().clientWidthTwips);
    const int hiddenLeft = std::max(0, -place.left);
    const int hiddenRight = std::max(0, place.left + place.width - clientWidth);
    label->setContentsMargins(hiddenLeft, 0, hiddenRight, 0);
    if (control.align == layout::Align::centre)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QWidget *createWidget(const layout::Control &control, QWidget &container)
{
    const QString text = toQString(control.text);
    switch (control.kind) {
    case layout::Kind::label:
        return createLabel(control, container);
    case layout::Kind::textBox: {
        auto *field = new FieldEdit(&container);
        field->setMaxLength(static_cast<int>(layout::maxTextLength));
        field->setText(text);
        return field;
    }
    case layout::Kind::frame:
        return new FrameBox(text, &container);
    case layout::Kind::button:
        break;
    }
    return new PushButton(text, &container);
}

Qt::FocusPolicy focusPolicy(const layout::Control &control)
{
    if (!control.takesFocus())
        return Qt::NoFocus;
    // A key of the on-screen keypad edits the field being typed into, so it must not take the
    // focus away from that field when clicked; Tab still reaches it.
    return control.keepsFocusWhereItIs ? Qt::TabFocus : Qt::StrongFocus;
}

} // namespace

QRect containerRect(const layout::Control &control)
{
    return toQRect(layout::toPixels(control.twips));
}

Controls::Controls(QWidget &client, Bindings bindings)
    : m_bindings(std::move(bindings))
{
    m_widgets.reserve(layout::controls().size());
    for (const layout::Control &control : layout::controls()) {
        // The table lists every frame before the controls it holds.
        const layout::Control *frame = layout::containerOf(control);
        QWidget *container = frame ? widget(*frame) : &client;
        QWidget *created = create(control, *container);
        m_widgets.push_back(created);
        bind(control, *created);
    }
    const auto order = layout::tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widget(*order[i - 1]), widget(*order[i]));
    bindCopyKey();
    describeToAssistiveTechnology();
}

void Controls::describeToAssistiveTechnology()
{
    for (const layout::Control &control : layout::controls()) {
        QWidget *created = widget(control);
        const layout::Control *caption = layout::labelledBy(control);
        auto *field = qobject_cast<FieldEdit *>(created);
        auto *label = caption ? qobject_cast<QLabel *>(widget(*caption)) : nullptr;
        if (field && label)
            field->setCaption(*label);
        auto *frame = qobject_cast<FrameBox *>(created->parentWidget());
        if (frame && !layout::isInAccessibleTree(control))
            frame->leaveOutOfAccessibleTree(*created);
    }
}

void Controls::bindCopyKey()
{
    // Wherever the keyboard focus is, the copy key copies the answer the user selected.
    for (QWidget *control : m_widgets) {
        if (control->focusPolicy() != Qt::NoFocus)
            m_resultLine->watchCopyKey(*control);
    }
    // Text selected in a field after the answer is what the user means to copy next.
    for (FieldEdit *field : m_fields) {
        QObject::connect(field, &QLineEdit::selectionChanged, field, [this, field] {
            if (field->hasSelectedText())
                m_resultLine->clearSelection();
        });
    }
}

QWidget *Controls::create(const layout::Control &control, QWidget &container)
{
    QWidget *widget = createWidget(control, container);
    widget->setObjectName(toQString(control.id));
    widget->setGeometry(containerRect(control));
    if (!control.font.face.empty()) {
        QFont font = controlFont(control.font);
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && !label->wordWrap() && !qobject_cast<FieldRowsLabel *>(widget))
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

void Controls::bind(const layout::Control &control, QWidget &widget)
{
    const Action action = control.action;
    if (auto *field = qobject_cast<FieldEdit *>(&widget)) {
        m_fields[indexOf(*control.field)] = field;
        if (std::holds_alternative<NoAction>(action))
            return; // the hidden field is never clicked nor typed into
        QObject::connect(field, &FieldEdit::clicked, field,
                         [this, action] { m_bindings.perform(action); });
        QObject::connect(field, &QLineEdit::returnPressed, field,
                         [this] { m_bindings.calculate(); });
    } else if (auto *button = qobject_cast<QPushButton *>(&widget)) {
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, action] { m_bindings.perform(action); });
    } else if (control.isResultLine) {
        m_resultLine = qobject_cast<LiveLabel *>(&widget);
    }
}

} // namespace ostrel::gui
