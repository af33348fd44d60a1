// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <utility>

namespace ostrel::gui {
namespace {

// A live label as assistive technology sees it: static text whose description is the caption
// it shows now.
class LiveLabelAccessible : public QAccessibleWidget {
public:
    explicit LiveLabelAccessible(LiveLabel &label)
        : QAccessibleWidget(&label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description)
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *liveLabelAccessible(const QString &className, QObject *object)
{
    auto *label = qobject_cast<LiveLabel *>(object);
    if (!label || className != QLatin1String(LiveLabel::staticMetaObject.className()))
        return nullptr;
    return new LiveLabelAccessible(*label);
}

} // namespace

void FieldEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

LiveLabel::LiveLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // Installing the same factory again does nothing.
    QAccessible::installFactory(liveLabelAccessible);
}

void LiveLabel::announce(const QString &caption)
{
    setText(caption);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QRect FrameBox::captionRect() const
{
    if (title().isEmpty())
        return {};
    // The border runs through the middle of the caption, which starts as far in as the border
    // is down.
    const QFontMetrics metrics(font());
    const int inset = metrics.height() / 2;
    return {inset, 0, metrics.horizontalAdvance(title()), metrics.height()};
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, caption.height() / 2, -1, -1));
    if (caption.isEmpty())
        return;
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

FieldRowsLabel::FieldRowsLabel(const QString &text, std::vector<Row> rows, QWidget *parent)
    : QLabel(text, parent)
    , m_rows(std::move(rows))
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void FieldRowsLabel::paintEvent(QPaintEvent *)
{
    QTextLayout layout(text(), font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    const QRect area = contentsRect();
    std::vector<QTextLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        lines.push_back(line);
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Row row = rowOf(i, static_cast<int>(lines[i].height()));
        const double lineTop = area.top() + row.top + (row.height - lines[i].height()) / 2;
        lines[i].draw(&painter, QPointF(area.left(), lineTop - lines[i].y()));
    }
}

FieldRowsLabel::Row FieldRowsLabel::rowOf(std::size_t line, int lineHeight) const
{
    if (line < m_rows.size())
        return m_rows[line];
    // Lines past the last field row keep the rows' pitch.
    const Row last = m_rows.empty() ? Row{-lineHeight, lineHeight} : m_rows.back();
    const int pitch = m_rows.size() > 1 ? m_rows[1].top - m_rows[0].top : lineHeight;
    const auto beyond = static_cast<int>(line + 1 - m_rows.size());
    return {last.top + pitch * beyond, last.height};
}

} // namespace ostrel::gui
