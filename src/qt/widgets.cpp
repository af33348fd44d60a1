#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
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

void PushButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Only the keypad flag may come with Enter: Ctrl+Enter and the like are not a press.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter || !plain) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key presses once, as a held Space does.
    if (!event->isAutoRepeat())
        click();
    event->accept();
}

LiveLabel::LiveLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // Installing the same factory again does nothing.
    QAccessible::installFactory(liveLabelAccessible);
    // Selectable by the mouse only: selecting by keyboard would need the keyboard focus.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void LiveLabel::watchCopyKey(QWidget &control)
{
    control.installEventFilter(this);
}

void LiveLabel::clearSelection()
{
    if (hasSelectedText())
        setSelection(0, 0);
}

void LiveLabel::copySelection()
{
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText());
}

void LiveLabel::selectAll()
{
    setSelection(0, static_cast<int>(text().size()));
}

bool LiveLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !hasSelectedText() ||
        !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy))
        return QLabel::eventFilter(watched, event);
    copySelection();
    return true;
}

void LiveLabel::contextMenuEvent(QContextMenuEvent *event)
{
    // Qt 6.4's label offers a menu only on a link, and the answer has none; this is the menu
    // Qt gives selectable text, in Qt's own words for it (复制, 全选 with its Chinese texts).
    // Select All shows no key: Ctrl+A selects the text of the field with the focus, not the
    // answer, whereas the copy key copies the answer's selection wherever the focus is.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QString copyText = QCoreApplication::translate("QWidgetTextControl", "&Copy");
    if (QGuiApplication::styleHints()->showShortcutsInContextMenus())
        copyText +=
            QLatin1Char('\t') + QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
    QAction *copy = menu->addAction(copyText);
    copy->setObjectName(QStringLiteral("edit-copy"));
    copy->setEnabled(hasSelectedText());
    connect(copy, &QAction::triggered, this, &LiveLabel::copySelection);
    menu->addSeparator();
    QAction *all = menu->addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"));
    all->setObjectName(QStringLiteral("select-all"));
    all->setEnabled(!text().isEmpty());
    connect(all, &QAction::triggered, this, &LiveLabel::selectAll);
    menu->popup(event->globalPos());
    event->accept();
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
