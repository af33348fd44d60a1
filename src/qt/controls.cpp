#include "qt/controls.h"

#include "form/accessibility.h"
#include "qt/colours.h"
#include "qt/fonts.h"
#include "qt/text.h"
#include "qt/widgets.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace ostrel::gui {
namespace {

// The on-screen keypad edits the field being typed into, so its keys must not take the focus
// away from that field when clicked; Tab still reaches them.
constexpr std::string_view keypadName = "Command3";
// The credit line runs along the bottom of the window, centred under the keypad.
constexpr std::string_view creditLineName = "BYNARO";

QRect toQRect(const form::Rect &pixels)
{
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

// The bands of the entry fields that share the label's frame, in the label's coordinates.
std::vector<FieldRowsLabel::Row> fieldRowsBeside(const form::Control &label)
{
    const form::Rect place = form::toPixels(label.twips);
    std::vector<FieldRowsLabel::Row> rows;
    for (const form::Control &control : form::controls()) {
        if (control.kind != form::Kind::textBox || control.container != label.container)
            continue;
        const form::Rect field = form::toPixels(control.twips);
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

QWidget *createLabel(const form::Control &control, QWidget &container)
{
    const QString caption = toQString(control.text);
    const form::Control *frame = form::containerOf(control);
    if (frame && frame->kind == form::Kind::frame) {
        auto rows = fieldRowsBeside(control);
        if (!rows.empty())
            return new FieldRowsLabel(caption, std::move(rows), &container);
    }
    auto *label = form::isLive(control) ? new LiveLabel(caption, &container)
                                        : new QLabel(caption, &container);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A caption wraps only where its place holds more than one line: a one-line caption a
    // pixel too wide loses that pixel, not its last character to a line nobody can see.
    const form::Rect place = form::clientPixels(control);
    label->setWordWrap(place.height >= 2 * QFontMetrics(controlFont(control.font)).lineSpacing());
    // The part of a place outside the client area cannot be seen, so the caption keeps to
    // the visible part.
    const int clientWidth = form::twipsToPixels(form::window().clientWidthTwips);
    const int hiddenLeft = std::max(0, -place.left);
    const int hiddenRight = std::max(0, place.left + place.width - clientWidth);
    label->setContentsMargins(hiddenLeft, 0, hiddenRight, 0);
    if (control.name == creditLineName)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QWidget *createWidget(const form::Control &control, QWidget &container)
{
    const QString text = toQString(control.text);
    switch (control.kind) {
    case form::Kind::label:
        return createLabel(control, container);
    case form::Kind::textBox: {
        auto *field = new FieldEdit(&container);
        field->setMaxLength(static_cast<int>(form::maxTextLength));
        field->setText(text);
        return field;
    }
    case form::Kind::frame:
        return new FrameBox(text, &container);
    case form::Kind::button:
        break;
    }
    return new QPushButton(text, &container);
}

Qt::FocusPolicy focusPolicy(const form::Control &control)
{
    if (!control.takesFocus())
        return Qt::NoFocus;
    return control.name == keypadName ? Qt::TabFocus : Qt::StrongFocus;
}

} // namespace

QRect containerRect(const form::Control &control)
{
    return toQRect(form::toPixels(control.twips));
}

QWidget *createControl(const form::Control &control, QWidget &container)
{
    QWidget *widget = createWidget(control, container);
    widget->setObjectName(toQString(control.qualifiedName()));
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
    widget->setAccessibleName(toQString(form::accessibleName(control)));
    widget->setAccessibleDescription(toQString(form::accessibleDescription(control)));
    return widget;
}

Controls::Controls(QWidget &client)
{
    for (const form::Control &control : form::controls()) {
        // The table lists every frame before the controls it holds.
        QWidget *container = control.container.empty() ? &client : widget(control.container);
        Q_ASSERT_X(container, "Controls", "a control's frame comes later in the table");
        m_entries.push_back({&control, createControl(control, *container)});
    }
    const auto order = form::tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widget(order[i - 1]->qualifiedName()),
                             widget(order[i]->qualifiedName()));
}

QWidget *Controls::widget(std::string_view qualifiedName) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &entry) {
        return entry.control->qualifiedName() == qualifiedName;
    });
    return found == m_entries.end() ? nullptr : found->widget;
}

FieldEdit *Controls::field(Field field) const
{
    return qobject_cast<FieldEdit *>(widget(fieldName(field)));
}

QLabel *Controls::label(std::string_view qualifiedName) const
{
    return qobject_cast<QLabel *>(widget(qualifiedName));
}

LiveLabel *Controls::liveLabel(std::string_view qualifiedName) const
{
    return qobject_cast<LiveLabel *>(widget(qualifiedName));
}

} // namespace ostrel::gui
