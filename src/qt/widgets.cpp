// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets.h"

#include "keys.h"
#include "utf16.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTextLayout>
#include <QValidator>

#include <utility>

namespace ostrel::gui {
namespace {

using Relations = QList<QPair<QAccessibleInterface *, QAccessible::Relation>>;

// The relations Qt finds for a widget, but for those of the given kind.
Relations relationsBut(const QAccessibleWidget &face, QAccessible::Relation match,
                       QAccessible::Relation left)
{
    Relations kept;
    for (const auto &relation : face.QAccessibleWidget::relations(match)) {
        if (relation.second != left)
            kept.append(relation);
    }
    return kept;
}

// An entry field as assistive technology sees it (see `FieldEdit`). Qt's own interface for a
// line edit would also name the frame around the field as its label, and cannot be told of a
// label that names two fields.
class FieldAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit FieldAccessible(FieldEdit &field)
        : QAccessibleWidget(&field, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(QString)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    FieldEdit *field() const { return static_cast<FieldEdit *>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return field()->text();
        return QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString &text) override
    {
        if (kind == QAccessible::Value)
            field()->setText(text);
        else
            QAccessibleWidget::setText(kind, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        state.readOnly = field()->isReadOnly();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    Relations relations(QAccessible::Relation match) const override
    {
        Relations related = relationsBut(*this, match, QAccessible::Label);
        if ((match & QAccessible::Label) && field()->caption()) {
            if (QAccessibleInterface *label =
                    QAccessible::queryAccessibleInterface(field()->caption()))
                related.append({label, QAccessible::Label});
        }
        return related;
    }

    // The text interface: the field's one selection, its caret and its characters.
    void selection(int index, int *start, int *end) const override
    {
        // Without a selection Qt tells -1 for both ends.
        *start = *end = 0;
        if (index != 0)
            return;
        *start = field()->selectionStart();
        *end = *start + static_cast<int>(field()->selectedText().size());
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            field()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            field()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        if (start > end)
            return {};
        return field()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(field()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QRect place = field()->characterRect(offset);
        return place.isEmpty() ? place : place.translated(field()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        // The field scrolls to show the caret: the end first, then the start.
        field()->setCursorPosition(end);
        field()->setCursorPosition(start);
    }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset; // a field's text is all in one style
        return {};
    }
    // Offset -2 is the caret's, for the word or line around it.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                             int *end) const override
    {
        return QAccessibleTextInterface::textBeforeOffset(caretFor(offset), boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                            int *end) const override
    {
        return QAccessibleTextInterface::textAfterOffset(caretFor(offset), boundary, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                         int *end) const override
    {
        return QAccessibleTextInterface::textAtOffset(caretFor(offset), boundary, start, end);
    }

    // The editable text interface. Text goes in as the user's own does, so the field keeps
    // one line of it and the text around it stays.
    void deleteText(int start, int end) override
    {
        field()->setText(field()->text().remove(start, end - start));
    }
    void insertText(int offset, const QString &text) override
    {
        field()->setCursorPosition(offset);
        field()->insert(text);
    }
    void replaceText(int start, int end, const QString &text) override
    {
        field()->setSelection(start, end - start);
        field()->insert(text);
    }

private:
    int caretFor(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

QAccessible::Role roleOf(const QLabel &label)
{
    const auto *caption = qobject_cast<const Caption *>(&label);
    switch (caption ? caption->tablePart() : layout::TablePart::none) {
    case layout::TablePart::columnHeader:
        return QAccessible::ColumnHeader;
    case layout::TablePart::rowHeader:
        return QAccessible::RowHeader;
    case layout::TablePart::cell:
        return QAccessible::Cell;
    case layout::TablePart::none:
        break;
    }
    return QAccessible::StaticText;
}

// A caption as assistive technology sees it: static text, or a table's header or cell (see
// `Caption`, `LiveLabel`, `FieldRowsLabel`).
class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(QLabel &label)
        : QAccessibleWidget(&label, roleOf(label))
    {
    }

    const QLabel &label() const { return *static_cast<const QLabel *>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description && qobject_cast<const LiveLabel *>(&label()))
            return label().text();
        return QAccessibleWidget::text(kind);
    }

    Relations relations(QAccessible::Relation match) const override
    {
        Relations related = relationsBut(*this, match, QAccessible::Labelled);
        QWidget *container = label().parentWidget();
        if (!(match & QAccessible::Labelled) || !container)
            return related;
        // The fields whose caption it shows stand beside it, in table order.
        for (FieldEdit *field : container->findChildren<FieldEdit *>(Qt::FindDirectChildrenOnly)) {
            if (field->caption() != &label())
                continue;
            if (QAccessibleInterface *face = QAccessible::queryAccessibleInterface(field))
                related.append({face, QAccessible::Labelled});
        }
        return related;
    }
};

// A frame as assistive technology sees it (see `FrameBox`).
class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(FrameBox &frame)
        : QAccessibleWidget(&frame, QAccessible::Grouping)
    {
    }

    int childCount() const override { return static_cast<int>(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(shown().value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(shown().indexOf(child->object())) : -1;
    }

private:
    // In creation order, as Qt lists a widget's children.
    QList<QWidget *> shown() const
    {
        auto controls = widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        controls.removeIf(
            [](const QWidget *control) { return control->isWindow() || control->isHidden(); });
        return controls;
    }
};

// A drop-down as assistive technology sees it: a combo box with its own name, whose value is
// what its edit part shows. Qt's own interface names an editable combo box on Linux by its
// text, which would leave the two drop-downs without a name that tells them apart.
class DropDownAccessible : public QAccessibleWidget {
public:
    explicit DropDownAccessible(QComboBox &list)
        : QAccessibleWidget(&list, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return static_cast<const QComboBox *>(widget())->currentText();
        return QAccessibleWidget::text(kind);
    }
};

// The interfaces of the window's own widgets; Qt's for every other widget. Qt asks for each
// class an object is of, the object's own class first.
QAccessibleInterface *ostrelAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (qobject_cast<Caption *>(object) || qobject_cast<FieldRowsLabel *>(object))
        return new CaptionAccessible(*static_cast<QLabel *>(object));
    if (auto *field = qobject_cast<FieldEdit *>(object))
        return new FieldAccessible(*field);
    if (auto *frame = qobject_cast<FrameBox *>(object))
        return new FrameAccessible(*frame);
    if (auto *list = qobject_cast<QComboBox *>(object))
        return new DropDownAccessible(*list);
    return nullptr;
}

// Keeps a field to one line, whichever way text reaches it: typed, pasted by key, menu or
// middle click, dropped, or committed by an input method. The line edit hands over its text
// with the caret just after what was inserted; the text before the insertion held no line
// break nor tab, so the first one is in the inserted piece, which keeps only its first line
// (see `numbers::oneLineOf`). The caret stays after what was kept, and the text after the
// insertion stays as it was.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &text, int &caret) const override
    {
        if (oneLineOf(text).size() == text.size())
            return Acceptable;
        const QString kept = oneLineOf(text.left(caret));
        text = kept + oneLineOf(text.mid(caret));
        caret = static_cast<int>(kept.size());
        // Acceptable, not Intermediate: Enter in the field still starts the calculation.
        return Acceptable;
    }

private:
    static QString oneLineOf(const QString &text)
    {
        return toQString(numbers::oneLineOf(toU16(text)));
    }
};

} // namespace

QRect toQRect(const layout::Rect &pixels)
{
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

void installAccessibleInterfaces()
{
    QAccessible::installFactory(ostrelAccessible);
}

QValidator *oneLineValidator(QObject *parent)
{
    return new OneLineValidator(parent);
}

FieldEdit::FieldEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(oneLineValidator(this));
}

void FieldEdit::setCaption(QLabel &label)
{
    m_caption = &label;
    if (!label.buddy())
        label.setBuddy(this);
}

QRect FieldEdit::characterRect(int position) const
{
    const QString shown = text();
    if (position < 0 || position >= shown.size())
        return {};
    // Qt tells where the caret is drawn, in the middle of the area it repaints for it; a
    // character starts where the caret stands before it.
    const QFontMetrics metrics(font());
    const int caret = cursorPosition();
    const auto between = [&](int from, int to) {
        return metrics.horizontalAdvance(shown.mid(from, to - from));
    };
    const int left = cursorRect().center().x() +
                     (position >= caret ? between(caret, position) : -between(position, caret));
    const int top = layout::lineTop({0, height()}, metrics.height());
    return {left, top, metrics.horizontalAdvance(shown.at(position)), metrics.height()};
}

void FieldEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LiveLabel::copySelection()
{
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText());
}

void LiveLabel::contextMenuEvent(QContextMenuEvent *event)
{
    if (!(textInteractionFlags() & Qt::TextSelectableByMouse)) {
        QLabel::contextMenuEvent(event);
        return;
    }
    // Qt 6.4's label offers a menu only on a link, and the answer has none.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool showKeys = QGuiApplication::styleHints()->showShortcutsInContextMenus();
    for (const layout::TextMenuItem &item : layout::selectableTextMenu) {
        if (item.separatorBefore)
            menu->addSeparator();
        QString caption = toQString(item.caption);
        if (showKeys && !item.shortcut.empty())
            caption += QLatin1Char('\t') + toQString(item.shortcut);
        QAction *action = menu->addAction(caption);
        action->setEnabled(layout::isEnabled(item.command, hasSelectedText(), !text().isEmpty()));
        connect(action, &QAction::triggered, this, [this, command = item.command] {
            if (command == layout::TextCommand::copy)
                copySelection();
            else
                setSelection(0, static_cast<int>(text().size()));
        });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void LiveLabel::announce(const QString &caption)
{
    setText(caption);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

layout::FrameDrawing FrameBox::drawing() const
{
    const QFontMetrics metrics(font());
    const int captionWidth = title().isEmpty() ? 0 : metrics.horizontalAdvance(title());
    return layout::frameDrawing(width(), height(), captionWidth, metrics.height());
}

QRect FrameBox::captionRect() const
{
    return toQRect(drawing().caption);
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const layout::FrameDrawing shown = drawing();
    painter.setPen(palette().color(QPalette::Mid));
    // A pen a pixel wide outlines a rectangle one pixel beyond its right and bottom sides.
    painter.drawRect(toQRect(shown.edge).adjusted(0, 0, -1, -1));
    const QRect caption = toQRect(shown.caption);
    if (caption.isEmpty())
        return;
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

FieldRowsLabel::FieldRowsLabel(const QString &text, std::vector<Line> lines, QWidget *parent)
    : QLabel(text, parent)
    , m_lines(std::move(lines))
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void FieldRowsLabel::paintEvent(QPaintEvent *)
{
    const QRect area = contentsRect();
    // In device pixels, as every platform places the line: at twice the scale a line may
    // stand half a pixel lower than whole pixels allow.
    const qreal scale = devicePixelRatioF();
    const auto inDevicePixels = [scale](qreal pixels) { return qRound(pixels * scale); };
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    for (const Line &line : m_lines) {
        QTextLayout layout(line.text, font());
        layout.beginLayout();
        QTextLine shown = layout.createLine();
        shown.setLineWidth(area.width());
        layout.endLayout();
        const int top =
            layout::lineTop({inDevicePixels(line.band.top), inDevicePixels(line.band.height)},
                            inDevicePixels(shown.height()));
        shown.draw(&painter, QPointF(area.left(), area.top() + top / scale - shown.y()));
    }
}

} // namespace ostrel::gui
