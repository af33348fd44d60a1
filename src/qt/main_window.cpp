#include "qt/main_window.h"

#include "form/layout.h"
#include "qt/text.h"
#include "qt/widgets.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <string>

namespace ostrel::gui {
namespace {

// The window's own icon is the 32-pixel picture, read by Qt's built-in PNG reader alone:
// looking for a reader among the image plugins, or asking which formats they read, loads
// every plugin before the window can show. Desktops take the icon in every other size from
// the icon theme, where the package installs it.
QIcon applicationIcon()
{
    QImageReader reader(QStringLiteral(":/ostrel/icon-32.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , m_controls(*this)
    , m_window(m_controls, *this)
    , m_form(m_window)
{
    const auto &look = form::window();
    setWindowTitle(toQString(look.caption));
    setWindowIcon(applicationIcon());
    setFixedSize(form::twipsToPixels(look.clientWidthTwips),
                 form::twipsToPixels(look.clientHeightTwips));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(look.background)));
    setPalette(background);
    setAutoFillBackground(true);

    connectControls();
    m_form.load();
    m_controls.widget(form::tabOrder().front()->qualifiedName())->setFocus();
}

void MainWindow::connectControls()
{
    for (const auto &[control, widget] : m_controls.entries()) {
        // The credit line has a handler that does nothing, and labels take no clicks.
        if (!control->hasHandler)
            continue;
        const std::string name = control->qualifiedName();
        if (auto *field = qobject_cast<FieldEdit *>(widget)) {
            connect(field, &FieldEdit::clicked, this, [this, name] { m_form.click(name); });
            connect(field, &QLineEdit::returnPressed, this, [this] { m_form.startCalculation(); });
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, name] { m_form.click(name); });
        }
    }
}

} // namespace ostrel::gui
