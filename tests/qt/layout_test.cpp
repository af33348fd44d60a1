// The window against the window table: every widget's kind, container, place, caption, font,
// colours, focus policy and visibility, the stacking of overlapping controls, and how the
// captions come out on the screen.
#include "support.h"

#include "form/layout.h"
#include "qt/fonts.h"
#include "qt/text.h"
#include "qt/widgets.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QTest>

#include <algorithm>
#include <string>

namespace ostrel::test {
namespace {

using gui::toQString;

QString qualifiedName(const form::Control &control)
{
    return QString::fromStdString(control.qualifiedName());
}

QRect rectOf(const form::Rect &rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

QString captionOf(const QWidget &widget)
{
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

// The widget class each kind of control must be, and the palette roles its caption and its
// face are painted in.
struct KindTraits {
    const char *className;
    QPalette::ColorRole foreground;
    QPalette::ColorRole background;
};

KindTraits traitsOf(form::Kind kind)
{
    switch (kind) {
    case form::Kind::label:
        return {"QLabel", QPalette::WindowText, QPalette::Window};
    case form::Kind::textBox:
        return {"ostrel::gui::FieldEdit", QPalette::Text, QPalette::Base};
    case form::Kind::frame:
        return {"QGroupBox", QPalette::WindowText, QPalette::Window};
    case form::Kind::button:
        break;
    }
    return {"QPushButton", QPalette::ButtonText, QPalette::Button};
}

QColor expectedColour(form::Colour colour, const QWidget &widget, QPalette::ColorRole role)
{
    switch (colour.role) {
    case form::Colour::Role::rgb:
        return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
    case form::Colour::Role::highlightText:
        return QApplication::palette().color(QPalette::HighlightedText);
    case form::Colour::Role::system:
        break;
    }
    return QApplication::palette(&widget).color(role);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_window = openWindow(); }
    void cleanupTestCase() { m_window.reset(); }

    void window()
    {
        const auto &look = form::window();
        const QSize client(form::twipsToPixels(look.clientWidthTwips),
                           form::twipsToPixels(look.clientHeightTwips));
        QCOMPARE(client, QSize(534, 380));
        QCOMPARE(m_window->windowTitle(), toQString(look.caption));
        QCOMPARE(m_window->size(), client);
        QCOMPARE(m_window->minimumSize(), client);
        QCOMPARE(m_window->maximumSize(), client);
        QVERIFY(m_window->autoFillBackground());
        QCOMPARE(m_window->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(32, 32)));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("oldprice"));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        for (const form::Control &control : form::controls())
            QTest::newRow(control.qualifiedName().c_str()) << qualifiedName(control);
    }

    void controls()
    {
        QFETCH(QString, name);
        const form::Control &control = *form::findControl(name.toStdString());
        QWidget *widget = m_window->controls().widget(control.qualifiedName());
        QVERIFY(widget);
        QCOMPARE(widget->objectName(), name);

        const KindTraits traits = traitsOf(control.kind);
        QVERIFY2(widget->inherits(traits.className), widget->metaObject()->className());
        QWidget *container = control.container.empty()
                                 ? m_window.get()
                                 : m_window->controls().widget(control.container);
        QCOMPARE(widget->parentWidget(), container);
        QCOMPARE(widget->geometry(), rectOf(form::toPixels(control.twips)));
        QCOMPARE(QRect(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size()),
                 rectOf(form::clientPixels(control)));

        QCOMPARE(captionOf(*widget), toQString(control.text));
        if (const auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->textFormat(), Qt::PlainText);
        if (const auto *edit = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(edit->maxLength(), static_cast<int>(form::maxTextLength));

        if (!control.font.face.empty()) {
            const QFontInfo font(widget->font());
            const QStringList families = gui::fontFamilies(control.font.face);
            QVERIFY2(families.contains(font.family()), qPrintable(font.family()));
            QCOMPARE(font.pixelSize(), gui::pointsToPixels(control.font.points));
            QCOMPARE(font.bold(), control.font.bold);
        }

        const QPalette &palette = widget->palette();
        QCOMPARE(palette.color(traits.foreground),
                 expectedColour(control.foreground, *widget, traits.foreground));
        QCOMPARE(palette.color(traits.background),
                 expectedColour(control.background, *widget, traits.background));
        QCOMPARE(widget->foregroundRole(), traits.foreground);

        QCOMPARE(widget->isVisible(), control.visible);
        const Qt::FocusPolicy focus = !control.takesFocus()        ? Qt::NoFocus
                                      : control.name == "Command3" ? Qt::TabFocus
                                                                   : Qt::StrongFocus;
        QCOMPARE(widget->focusPolicy(), focus);
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
        QCOMPARE(gui::pointsToPixels(points), pixels);
    }

    // Every caption is drawn entirely with the one face it resolved to, so none shows a
    // missing-glyph box or a character from a face of another style.
    void captionGlyphs_data()
    {
        QTest::addColumn<QString>("name");
        for (const form::Control &control : form::controls()) {
            if (!control.text.empty() && !control.font.face.empty())
                QTest::newRow(control.qualifiedName().c_str()) << qualifiedName(control);
        }
    }

    void captionGlyphs()
    {
        QFETCH(QString, name);
        const form::Control &control = *form::findControl(name.toStdString());
        const QWidget *widget = m_window->controls().widget(control.qualifiedName());
        const QRawFont face = QRawFont::fromFont(widget->font(), QFontDatabase::SimplifiedChinese);
        QVERIFY(face.isValid());
        QVERIFY2(gui::fontFamilies(control.font.face).contains(face.familyName()),
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
        for (const form::Control &control : form::controls()) {
            const QRect place = rectOf(form::clientPixels(control));
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
            const form::Control *top = form::controlAt(point.x(), point.y());
            const QString expected = top ? qualifiedName(*top) : QStringLiteral("none");
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
        QTest::newRow("Command5 inside Frame2") << QPoint(480, 110) << "Command5";
        QTest::newRow("Command4 over Label1") << QPoint(212, 110) << "Command4(0)";
        QTest::newRow("Label1 beside Command4") << QPoint(195, 100) << "Label1";
        QTest::newRow("hidden ybuy") << QPoint(380, 130) << "Frame2";
        QTest::newRow("credit line at the left edge") << QPoint(0, 370) << "BYNARO";
        QTest::newRow("bare corner") << QPoint(533, 379) << "none";
    }

    void overlaps()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, control);
        const form::Control *top = form::controlAt(point.x(), point.y());
        QCOMPARE(top ? qualifiedName(*top) : QStringLiteral("none"), control);
        QCOMPARE(nameAt(*m_window, point), control);
    }

    // A caption beside a column of fields prints its lines level with the fields: all its
    // ink lies within the bands of the fields, and each field has a line beside it.
    void fieldRowCaptions_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("L1") << "L1" << QStringList{"oldprice", "buy6"};
        QTest::newRow("Label1") << "Label1" << QStringList{"oldprice", "buy6"};
        QTest::newRow("Label3") << "Label3" << QStringList{"newprice"};
        QTest::newRow("Label9") << "Label9" << QStringList{"newprice"};
    }

    void fieldRowCaptions()
    {
        QFETCH(QString, label);
        QFETCH(QStringList, fields);
        QWidget *widget = m_window->controls().widget(label.toStdString());
        QVERIFY(qobject_cast<gui::FieldRowsLabel *>(widget));
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(),
                 toQString(form::findControl(label.toStdString())->text));

        const QImage image = m_window->grab().toImage();
        const QRect place(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size());
        const QRgb paper = widget->palette().color(QPalette::Window).rgb();
        QList<int> inkRows;
        for (int y = place.top(); y <= place.bottom(); ++y) {
            for (int x = place.left(); x <= place.right(); ++x) {
                // Only where the caption itself is on top.
                if (m_window->childAt(x, y) == widget && image.pixel(x, y) != paper) {
                    inkRows << y;
                    break;
                }
            }
        }
        QList<QRect> bands;
        for (const QString &field : fields)
            bands << rectOf(form::clientPixels(*form::findControl(field.toStdString())));
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
        QTest::addColumn<QString>("name");
        for (const form::Control &control : form::controls()) {
            if (control.kind == form::Kind::frame)
                QTest::newRow(control.qualifiedName().c_str()) << qualifiedName(control);
        }
    }

    void frameFaces()
    {
        QFETCH(QString, name);
        const form::Control &control = *form::findControl(name.toStdString());
        QWidget *frame = m_window->controls().widget(control.qualifiedName());
        const QImage image = m_window->grab().toImage();
        const QColor face = expectedColour(control.background, *frame, QPalette::Window);
        // The caption's ink may reach a little below its line.
        const QFontMetrics metrics(frame->font());
        const int inkBottom = metrics.ascent() + metrics.boundingRect(captionOf(*frame)).bottom();
        const int captionBand =
            control.text.empty() ? 1 : std::max(metrics.height(), inkBottom) + 1;
        const QRect inside = rectOf(form::clientPixels(control)).adjusted(1, captionBand, -1, -1);
        int facePixels = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (m_window->childAt(x, y) != frame)
                    continue;
                ++facePixels;
                if (image.pixelColor(x, y) != face)
                    QFAIL(qPrintable(QStringLiteral("(%1,%2) is %3, not %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(image.pixelColor(x, y).name(), face.name())));
            }
        }
        QVERIFY(facePixels > 0);
    }

private:
    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::LayoutTest)
#include "layout_test.moc"
