// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window at the scale factor the desktop asks for (QT_SCALE_FACTOR; ctest runs this at 1
// and at 2): the window's size in device pixels, every control at the table's place, and every
// caption drawn whole, no ink of it cut off by the box it is drawn in, with the fonts as they
// come out at that scale.
#include "support.h"

#include "core_backend.h"
#include "transfer.h"
#include "widgets.h"
#include "window_table.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include <optional>

namespace ostrel::test {
namespace {

using gui::toQString;

// The scale factor this run was started with.
qreal requestedScale()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

// The smallest rectangle, in logical pixels, that holds every pixel an image has painted.
std::optional<QRectF> inkOf(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return std::nullopt;
    const qreal scale = image.devicePixelRatio();
    return QRectF(left / scale, top / scale, (right + 1 - left) / scale,
                  (bottom + 1 - top) / scale);
}

QImage transparentImage(QSize size, qreal scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

// Room around a caption for ink that would spill out of its box.
constexpr int spill = 40;

// Draws the text as QPainter::drawText(box, flags) does for a widget, but without cutting it
// to the box, and returns where its ink falls relative to the box.
std::optional<QRectF> inkOfText(const QFont &font, QSize box, int flags, const QString &text,
                                qreal scale)
{
    QImage image = transparentImage(box + QSize(2 * spill, 2 * spill), scale);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(spill, spill), box), flags | Qt::TextDontClip, text);
    painter.end();
    const auto ink = inkOf(image);
    return ink ? std::optional(ink->translated(-spill, -spill)) : std::nullopt;
}

// A caption beside a column of fields lays its lines out in its contents rectangle and
// stands them level with the fields; nothing cuts them but the label itself. Its twin has the
// same contents rectangle with room all around, so its ink shows what the label would draw if
// nothing cut it. Returns where that ink falls relative to the label.
std::optional<QRectF> inkOfFieldRows(const gui::FieldRowsLabel &label, qreal scale)
{
    gui::FieldRowsLabel twin(label.text(), label.lines());
    twin.setFont(label.font());
    twin.setContentsMargins(label.contentsMargins() + QMargins(spill, spill, spill, spill));
    twin.resize(label.size() + QSize(2 * spill, 2 * spill));

    QImage image = transparentImage(twin.size(), scale);
    twin.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const auto ink = inkOf(image);
    return ink ? std::optional(ink->translated(-spill, -spill)) : std::nullopt;
}

// A drop-down's edit part draws its text centred on a line as high as the font's, cut to the
// part. Its twin is larger by the room all around and keeps its text as far in from each
// side, so its ink shows what the edit part would draw if nothing cut it. Returns where that
// ink falls relative to the edit part.
std::optional<QRectF> inkOfEditPart(const QLineEdit &edit, const QString &text, qreal scale)
{
    QLineEdit twin(text);
    twin.setFrame(false);
    twin.setFont(edit.font());
    twin.setTextMargins(spill, 0, spill, 0);
    twin.resize(edit.size() + QSize(2 * spill, 2 * spill));
    QPalette clear = twin.palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    twin.setPalette(clear);

    QImage image = transparentImage(twin.size(), scale);
    twin.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const auto ink = inkOf(image);
    return ink ? std::optional(ink->translated(-spill, -spill)) : std::nullopt;
}

QString describe(const QRectF &rect)
{
    return QStringLiteral("(%1,%2 %3x%4)")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_window = openWindow();
        m_scale = requestedScale();
    }
    void cleanupTestCase() { m_window.reset(); }

    // The window is the table's client area in device-independent pixels, drawn with as many
    // device pixels as the scale factor asks for.
    void window()
    {
        QCOMPARE(m_window->devicePixelRatio(), m_scale);
        const QSize client(layout::twipsToPixels(layout::window().clientWidthTwips),
                           layout::twipsToPixels(layout::window().clientHeightTwips));
        QCOMPARE(m_window->size(), client);
        QCOMPARE(m_window->windowHandle()->size() * m_window->devicePixelRatio(), client * m_scale);
        QCOMPARE(m_window->grab().size(), client * m_scale);
    }

    void captions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("caption");
        for (const layout::Control &control : layout::controls()) {
            if (control.text.empty() || control.kind == layout::Kind::textBox)
                continue;
            const int position = static_cast<int>(layout::positionOf(control));
            QTest::newRow(std::string(control.id).c_str()) << position << toQString(control.text);
            // A drop-down shows any of its items.
            for (const std::u16string_view item : layout::itemsOf(control))
                QTest::newRow(
                    (std::string(control.id) + " " + toQString(item).toStdString()).c_str())
                    << position << toQString(item);
        }
        // The other captions of the result line: the reset confirmations and a result with
        // numbers as long as a large account's.
        const int line = static_cast<int>(layout::positionOf(layout::resultLine()));
        testing::CoreBackend core;
        for (const ResetGroup group :
             {ResetGroup::all, ResetGroup::oldStock, ResetGroup::newStock}) {
            const layout::Control &reset = *layout::controlFor(Reset{group});
            core.click(reset);
            QTest::newRow(("result line after " + std::string(reset.id)).c_str())
                << line << toQString(core.result());
        }
        core::Transfer large;
        large.sale.shares = 12345600;
        large.purchase.shares = 23456700;
        large.moneyLeft = mpq_class(123456789, 10);
        QTest::newRow("a large result") << line << toQString(core::resultLine(large));
    }

    // Every caption's ink lies inside the box its widget draws it in, which the widget cuts it
    // to, and the box inside the widget.
    void captions()
    {
        QFETCH(int, position);
        QFETCH(QString, caption);
        QWidget *widget =
            m_window->controls().widget(layout::controls()[static_cast<std::size_t>(position)]);
        QVERIFY(widget);

        QRect box;
        std::optional<QRectF> ink;
        if (auto *rows = qobject_cast<gui::FieldRowsLabel *>(widget)) {
            const QString before = rows->text();
            rows->setText(caption);
            box = rows->rect();
            ink = inkOfFieldRows(*rows, m_scale);
            rows->setText(before);
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            // A label draws its caption in its contents rectangle, wrapped there if it wraps.
            box = label->contentsRect();
            const int flags = static_cast<int>(label->alignment().toInt()) |
                              (label->wordWrap() ? Qt::TextWordWrap : 0);
            ink = inkOfText(label->font(), box.size(), flags, caption, m_scale);
            if (ink)
                ink = ink->translated(box.topLeft());
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = caption;
            box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            ink = inkOfText(button->font(), box.size(), Qt::AlignCenter | Qt::TextShowMnemonic,
                            caption, m_scale);
            if (ink)
                ink = ink->translated(box.topLeft());
        } else if (auto *frame = qobject_cast<gui::FrameBox *>(widget)) {
            // The caption box is as large as the caption's line, so nothing cuts the caption
            // but the frame itself, and it must stay clear of the left and right border.
            const QString before = frame->title();
            frame->setTitle(caption);
            const QRect line = frame->captionRect();
            frame->setTitle(before);
            box = frame->rect().adjusted(1, 0, -1, 0);
            ink =
                inkOfText(frame->font(), line.size(),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption, m_scale);
            if (ink)
                ink = ink->translated(line.topLeft());
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            const QLineEdit &edit = *list->lineEdit();
            box = edit.geometry();
            ink = inkOfEditPart(edit, caption, m_scale);
            if (ink)
                ink = ink->translated(box.topLeft());
        } else {
            QFAIL(widget->metaObject()->className());
        }
        QVERIFY2(ink, "nothing drawn");
        QVERIFY2(widget->rect().contains(box), qPrintable(describe(box)));
        QVERIFY2(
            QRectF(box).contains(*ink),
            qPrintable(
                QStringLiteral("ink %1 leaves its box %2").arg(describe(*ink), describe(box))));
    }

    // Every control stands where the table puts it, in device-independent pixels.
    void places()
    {
        for (const layout::Control &control : layout::controls()) {
            QWidget *widget = m_window->controls().widget(control);
            QCOMPARE(QRect(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size()),
                     placeOf(control));
        }
    }

    void dropDowns_data()
    {
        QTest::addColumn<int>("position");
        for (const layout::Control &control : layout::controls()) {
            if (control.kind == layout::Kind::dropDown)
                QTest::newRow(std::string(control.id).c_str())
                    << static_cast<int>(layout::positionOf(control));
        }
    }

    // A drop-down keeps its described place and height, whatever height the style would give
    // a combo box, is drawn with every device pixel of it, and lists the described items in
    // their order.
    void dropDowns()
    {
        QFETCH(int, position);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        auto *list = qobject_cast<QComboBox *>(m_window->controls().widget(control));
        QVERIFY(list);
        QCOMPARE(QRect(list->mapTo(m_window.get(), QPoint(0, 0)), list->size()), placeOf(control));
        QCOMPARE(list->grab().size(), list->size() * m_scale);
        QVERIFY(list->isEditable());
        QStringList items, described;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        for (const std::u16string_view item : layout::itemsOf(control))
            described << toQString(item);
        QCOMPARE(items, described);
        QCOMPARE(list->currentText(), toQString(control.text));
    }

private:
    std::unique_ptr<gui::MainWindow> m_window;
    qreal m_scale = 1;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::ScalingTest)
#include "scaling_test.moc"
