#include "qt/main_window.h"

#include "form/layout.h"
#include "qt/text.h"
#include "qt/widgets.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImageReader>

#include <string>

namespace ostrel::gui {
namespace {

QIcon applicationIcon()
{
    QIcon icon(QStringLiteral(":/ostrel/icon-32.png"));
    // The drawing scales to any size where the desktop can read it.
    if (QImageReader::supportedImageFormats().contains("svg"))
        icon.addFile(QStringLiteral(":/ostrel/icon.svg"));
    return icon;
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
