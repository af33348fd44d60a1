// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window against the window table: every widget's kind, container, place, caption, font
// and visibility, the colours as they come out on the screen, the stacking of overlapping
// controls, and how the captions come out on the screen.
#include "support.h"

#include "controls.h"
#include "core_backend.h"
#include "widgets.h"
#include "window_table.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace ostrel::test {
namespace {

using gui::toQString;

QString idOf(const layout::Control *control)
{
    return control ? toQString(control->id) : QStringLiteral("none");
}

QRect rectOf(const layout::Rect &rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

QString captionOf(const QWidget &widget)
{
    if (const auto *list = qobject_cast<const QComboBox *>(&widget))
        return list->currentText();
    if (const auto *label = qobject_cast<const QLabel *>(&widget))
        return label->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(&widget))
        return edit->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(&widget))
        return frame->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&widget))
        return button->text();
    return {};
}

// The widget class each kind of control must be.
const char *classOf(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::label:
        return "QLabel";
    case layout::Kind::textBox:
        return "ostrel::gui::FieldEdit";
    case layout::Kind::frame:
        return "ostrel::gui::FrameBox";
    case layout::Kind::checkBox:
        return "QCheckBox";
    case layout::Kind::radioButton:
        return "QRadioButton";
    case layout::Kind::dropDown:
        return "QComboBox";
    case layout::Kind::button:
        break;
    }
    return "QPushButton";
}

// The colour a table colour must come out in on this desktop, where the table fixes one: a
// fixed colour, or the desktop's colour for text on a highlight. None for the desktop's
// ordinary colours, which the desktop's style is free to paint as it likes.
std::optional<QColor> fixedColour(layout::Colour colour)
{
    switch (colour.role) {
    case layout::Colour::Role::rgb:
        return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
    case layout::Colour::Role::highlightText:
        return QApplication::palette().color(QPalette::HighlightedText);
    case layout::Colour::Role::system:
    case layout::Colour::Role::none:
        break;
    }
    return std::nullopt;
}

QSize clientSize()
{
    const auto &look = layout::window();
    return {layout::twipsToPixels(look.clientWidthTwips),
            layout::twipsToPixels(look.clientHeightTwips)};
}

// The pixels of the control's place where it shows, no later control standing above it.
QList<QPoint> exposedPixels(const layout::Control &control)
{
    QList<QPoint> pixels;
    const QRect place = placeOf(control) & QRect(QPoint(0, 0), clientSize());
    for (int y = place.top(); y <= place.bottom(); ++y) {
        for (int x = place.left(); x <= place.right(); ++x) {
            if (layout::controlAt(x, y) == &control)
                pixels << QPoint(x, y);
        }
    }
    return pixels;
}

QString colourName(QRgb rgb)
{
    return QColor::fromRgb(rgb).name().toUpper();
}

// Where a pixel stands on the way from the paper's colour to the ink's: the share of ink in
// it (0: the paper, 1: the ink), and how far it strays from that way, in its worst channel.
struct Blend {
    double share = 0;
    int stray = 0;
};

Blend blendOf(QRgb pixel, QRgb paper, QRgb ink)
{
    const int p[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const int b[] = {qRed(paper), qGreen(paper), qBlue(paper)};
    const int f[] = {qRed(ink), qGreen(ink), qBlue(ink)};
    double along = 0, length = 0;
    for (int c = 0; c < 3; ++c) {
        along += static_cast<double>((p[c] - b[c]) * (f[c] - b[c]));
        length += static_cast<double>((f[c] - b[c]) * (f[c] - b[c]));
    }
    Blend blend;
    blend.share = length > 0 ? along / length : 0;
    for (int c = 0; c < 3; ++c) {
        const double expected = b[c] + blend.share * (f[c] - b[c]);
        blend.stray =
            std::max(blend.stray, static_cast<int>(std::lround(std::abs(p[c] - expected))));
    }
    return blend;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_window = openWindow();
        m_image = m_window->grab().toImage();
    }
    void cleanupTestCase() { m_window.reset(); }

    void window()
    {
        const auto &look = layout::window();
        QCOMPARE(clientSize(), QSize(534, 380));
        QCOMPARE(m_window->windowTitle(), toQString(look.caption));
        QCOMPARE(m_window->size(), clientSize());
        QCOMPARE(m_window->minimumSize(), clientSize());
        QCOMPARE(m_window->maximumSize(), clientSize());
        QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(32, 32)));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget(), m_window->controls().field(Field::oldPrice));
    }

    // Wherever no control stands, the window shows its own face.
    void bareWindowFace()
    {
        const QColor face = QColor::fromRgb(static_cast<QRgb>(layout::window().background));
        QCOMPARE(face, QColor(Qt::white));
        QCOMPARE(m_image.size(), clientSize());
        int bare = 0;
        for (int y = 0; y < m_image.height(); ++y) {
            for (int x = 0; x < m_image.width(); ++x) {
                if (layout::controlAt(x, y))
                    continue;
                ++bare;
                if (m_image.pixelColor(x, y) != face)
                    QFAIL(qPrintable(QStringLiteral("(%1,%2) is %3")
                                         .arg(x)
                                         .arg(y)
                                         .arg(colourName(m_image.pixel(x, y)))));
            }
        }
        QVERIFY(bare > 0);
    }

    void controls_data()
    {
        QTest::addColumn<int>("position");
        for (const layout::Control &control : layout::controls())
            QTest::newRow(std::string(control.id).c_str())
                << static_cast<int>(layout::positionOf(control));
    }

    void controls()
    {
        QFETCH(int, position);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        QWidget *widget = m_window->controls().widget(control);
        QVERIFY(widget);
        QCOMPARE(widget->objectName(), toQString(control.id));

        QVERIFY2(widget->inherits(classOf(control.kind)), widget->metaObject()->className());
        const layout::Control *frame = layout::containerOf(control);
        QWidget *container = frame ? m_window->controls().widget(*frame) : m_window.get();
        QCOMPARE(widget->parentWidget(), container);
        QCOMPARE(widget->geometry(), rectOf(layout::toPixels(control.twips)));
        QCOMPARE(QRect(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size()),
                 placeOf(control));

        // The note of the fee model shows what the calculator writes at start-up.
        const QString caption = control.isFeeModelNote
                                    ? toQString(testing::CoreBackend().window().feeModelNote())
                                    : toQString(control.text);
        QCOMPARE(captionOf(*widget), caption);
        if (const auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->textFormat(), Qt::PlainText);
        if (const auto *edit = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(edit->maxLength(), static_cast<int>(layout::maxTextLength));

        if (!control.font.face.empty()) {
            const QFontInfo font(widget->font());
            const QStringList families = gui::controlFont(control.font).families();
            QVERIFY2(families.contains(font.family()), qPrintable(font.family()));
            QCOMPARE(font.pixelSize(), layout::fontPixels(control.font.points));
            QCOMPARE(font.bold(), control.font.bold);
        }

        QCOMPARE(widget->isVisible(), control.visible);
    }

    // The colours as they come out on the screen, for the labels and frames whose colours the
    // table fixes. Rows for the face and, where the control has a caption in a fixed colour,
    // for the caption's ink.
    void colours_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("caption"); // false: the face
        for (const layout::Control &control : layout::controls()) {
            if (control.kind != layout::Kind::label && control.kind != layout::Kind::frame)
                continue;
            const std::string id(control.id);
            const int position = static_cast<int>(layout::positionOf(control));
            if (fixedColour(control.background))
                QTest::newRow((id + " face").c_str()) << position << false;
            if (fixedColour(control.foreground) && !control.text.empty())
                QTest::newRow((id + " caption").c_str()) << position << true;
        }
    }

    // The face: of the pixels where the control shows, more are in the table's colour than in
    // any other. The caption: in the box the caption is drawn in, every pixel off the paper is
    // a blend of the paper with the table's colour, and some are mostly that colour.
    void colours()
    {
        QFETCH(int, position);
        QFETCH(bool, caption);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        const QWidget *widget = m_window->controls().widget(control);
        const QColor expected = *fixedColour(caption ? control.foreground : control.background);

        QRect box = placeOf(control);
        if (caption) {
            if (const auto *frame = qobject_cast<const gui::FrameBox *>(widget))
                box = frame->captionRect().translated(widget->mapTo(m_window.get(), QPoint()));
            else if (const auto *label = qobject_cast<const QLabel *>(widget))
                box = label->contentsRect().translated(widget->mapTo(m_window.get(), QPoint()));
        }
        QHash<QRgb, int> counts;
        for (const QPoint pixel : exposedPixels(control)) {
            if (box.contains(pixel))
                ++counts[m_image.pixel(pixel)];
        }
        QVERIFY(!counts.isEmpty());
        const QRgb wanted = expected.rgb();
        const auto most =
            std::max_element(counts.constKeyValueBegin(), counts.constKeyValueEnd(),
                             [](const auto &a, const auto &b) { return a.second < b.second; });
        if (caption) {
            // Text is smoothed: its pixels are blends of the paper and the caption colour,
            // and the middles of the strokes are mostly the colour itself.
            const QRgb paper = (*most).first;
            double strongest = 0;
            for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
                if (it.key() == paper)
                    continue;
                const Blend blend = blendOf(it.key(), paper, wanted);
                QVERIFY2(blend.stray <= 3 && blend.share > -0.02 && blend.share < 1.02,
                         qPrintable(QStringLiteral("%1 is no blend of %2 and %3")
                                        .arg(colourName(it.key()), colourName(paper),
                                             colourName(wanted))));
                strongest = std::max(strongest, blend.share);
            }
            QVERIFY2(strongest >= 0.5,
                     qPrintable(QStringLiteral("no ink of %1 in the caption's box; the closest "
                                               "is %2 of the way from the paper %3")
                                    .arg(colourName(wanted))
                                    .arg(strongest)
                                    .arg(colourName(paper))));
            return;
        }
        QVERIFY2((*most).first == wanted,
                 qPrintable(QStringLiteral("the face is mostly %1 (%2 pixels), not %3 (%4)")
                                .arg(colourName((*most).first))
                                .arg((*most).second)
                                .arg(colourName(wanted))
                                .arg(counts.value(wanted))));
    }

    // A face at 96 dots per inch: the table's point sizes are all whole pixels.
    void pointsToPixels_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("9") << 9.0 << 12;
        QTest::newRow("10.5") << 10.5 << 14;
        QTest::newRow("12") << 12.0 << 16;
        QTest::newRow("21.75") << 21.75 << 29;
        QTest::newRow("26.25") << 26.25 << 35;
    }

    void pointsToPixels()
    {
        QFETCH(double, points);
        QFETCH(int, pixels);
        QCOMPARE(gui::controlFont({u"宋体", points}).pixelSize(), pixels);
    }

    // Every caption is drawn entirely with the one face it resolved to, so none shows a
    // missing-glyph box or a character from a face of another style.
    void captionGlyphs_data()
    {
        QTest::addColumn<int>("position");
        for (const layout::Control &control : layout::controls()) {
            if (!control.text.empty() && !control.font.face.empty())
                QTest::newRow(std::string(control.id).c_str())
                    << static_cast<int>(layout::positionOf(control));
        }
    }

    void captionGlyphs()
    {
        QFETCH(int, position);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        const QWidget *widget = m_window->controls().widget(control);
        const QRawFont face = QRawFont::fromFont(widget->font(), QFontDatabase::SimplifiedChinese);
        QVERIFY(face.isValid());
        QVERIFY2(gui::controlFont(control.font).families().contains(face.familyName()),
                 qPrintable(face.familyName()));
        for (const char32_t character : captionOf(*widget).toUcs4())
            QVERIFY2(face.supportsCharacter(character),
                     qPrintable(QStringLiteral("U+%1 missing from %2")
                                    .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
                                    .arg(face.familyName())));
    }

    // The widget under a client pixel is the control that the window table puts on top there,
    // at every control's middle and corners, just outside them, and on a grid over the window.
    void stacking()
    {
        QList<QPoint> points;
        for (const layout::Control &control : layout::controls()) {
            const QRect place = placeOf(control);
            points << place.center() << place.topLeft() << place.bottomRight() << place.topRight()
                   << place.bottomLeft() << place.topLeft() - QPoint(1, 1)
                   << place.bottomRight() + QPoint(1, 1);
        }
        for (int y = 0; y < m_window->height(); y += 3) {
            for (int x = 0; x < m_window->width(); x += 3)
                points << QPoint(x, y);
        }
        QStringList wrong;
        for (const QPoint point : points) {
            if (!m_window->rect().contains(point))
                continue;
            const QString expected = idOf(layout::controlAt(point.x(), point.y()));
            const QString actual = nameAt(*m_window, point);
            if (actual != expected)
                wrong << QStringLiteral("(%1,%2): %3 instead of %4")
                             .arg(point.x())
                             .arg(point.y())
                             .arg(actual, expected);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // Places where controls overlap or a control is hidden.
    void overlaps_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("control");
        const layout::Control *newStockReset = layout::controlFor(Reset{ResetGroup::newStock});
        const layout::Control *oldStockReset = layout::controlFor(Reset{ResetGroup::oldStock});
        QTest::newRow("Command5 inside Frame2") << QPoint(480, 110) << idOf(newStockReset);
        QTest::newRow("Command4 over Label1") << QPoint(212, 110) << idOf(oldStockReset);
        QTest::newRow("Label1 beside Command4") << QPoint(195, 100) << "Label1";
        QTest::newRow("hidden ybuy")
            << QPoint(380, 130)
            << idOf(layout::containerOf(layout::fieldControl(Field::plannedShares)));
        QTest::newRow("credit line at the left edge") << QPoint(0, 370) << "BYNARO";
        QTest::newRow("bare corner") << QPoint(533, 379) << "none";
    }

    void overlaps()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, control);
        QCOMPARE(idOf(layout::controlAt(point.x(), point.y())), control);
        QCOMPARE(nameAt(*m_window, point), control);
    }

    // A caption beside a column of fields prints its lines level with the fields: all its
    // ink lies within the bands of the fields, and each field has a line beside it.
    void fieldRowCaptions_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QList<Field>>("fields");
        const QList<Field> oldStock{Field::oldPrice, Field::sharesHeld};
        const QList<Field> newStock{Field::newPrice};
        QTest::newRow("L1") << "L1" << oldStock;
        QTest::newRow("Label1") << "Label1" << oldStock;
        QTest::newRow("Label3") << "Label3" << newStock;
        QTest::newRow("Label9") << "Label9" << newStock;
    }

    void fieldRowCaptions()
    {
        QFETCH(QString, label);
        QFETCH(QList<Field>, fields);
        const layout::Control *control = layout::findControl(label.toStdString());
        QVERIFY(control);
        QWidget *widget = m_window->controls().widget(*control);
        QVERIFY(qobject_cast<gui::FieldRowsLabel *>(widget));
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), toQString(control->text));

        const QRect place(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size());
        const QRgb paper = widget->palette().color(QPalette::Window).rgb();
        QList<int> inkRows;
        for (int y = place.top(); y <= place.bottom(); ++y) {
            for (int x = place.left(); x <= place.right(); ++x) {
                // Only where the caption itself is on top.
                if (m_window->childAt(x, y) == widget && m_image.pixel(x, y) != paper) {
                    inkRows << y;
                    break;
                }
            }
        }
        QList<QRect> bands;
        for (const Field field : fields)
            bands << placeOf(layout::fieldControl(field));
        QList<bool> inked(bands.size(), false);
        for (const int y : inkRows) {
            const auto band = std::find_if(bands.begin(), bands.end(), [y](const QRect &b) {
                return y >= b.top() && y <= b.bottom();
            });
            QVERIFY2(band != bands.end(),
                     qPrintable(QStringLiteral("ink at y %1 beside no field").arg(y)));
            inked[band - bands.begin()] = true;
        }
        QCOMPARE(inked, QList<bool>(bands.size(), true));
    }

    // Inside its border and below its caption, a frame's face is all its table colour, the
    // same as the captions standing in it.
    void frameFaces_data()
    {
        QTest::addColumn<int>("position");
        for (const layout::Control &control : layout::controls()) {
            if (control.kind == layout::Kind::frame)
                QTest::newRow(std::string(control.id).c_str())
                    << static_cast<int>(layout::positionOf(control));
        }
    }

    void frameFaces()
    {
        QFETCH(int, position);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        QWidget *frame = m_window->controls().widget(control);
        const std::optional<QColor> face = fixedColour(control.background);
        QVERIFY2(face, "a frame's face is a colour of the table's own");
        // The caption's ink may reach a little below its line.
        const QFontMetrics metrics(frame->font());
        const int inkBottom = metrics.ascent() + metrics.boundingRect(captionOf(*frame)).bottom();
        const int captionBand =
            control.text.empty() ? 1 : std::max(metrics.height(), inkBottom) + 1;
        const QRect inside = placeOf(control).adjusted(1, captionBand, -1, -1);
        int facePixels = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (m_window->childAt(x, y) != frame)
                    continue;
                ++facePixels;
                if (m_image.pixelColor(x, y) != *face)
                    QFAIL(qPrintable(
                        QStringLiteral("(%1,%2) is %3, not %4")
                            .arg(x)
                            .arg(y)
                            .arg(colourName(m_image.pixel(x, y)), colourName(face->rgb()))));
            }
        }
        QVERIFY(facePixels > 0);
    }

private:
    std::unique_ptr<gui::MainWindow> m_window;
    QImage m_image; // the window as it opened
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::LayoutTest)
#include "layout_test.moc"
