// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for the program's start-up: a plain Qt Widgets window of the program's client
// size that holds the same widgets (labels, line edits, one of them hidden, group boxes and
// push buttons, in the same places) with the same captions in the same fonts, and nothing
// else: no colours, no custom painting, no icon, no translations, no calculation core. What
// the program spends beyond this window is start-up work of its own.
#include "controls.h"
#include "widgets.h"
#include "window_table.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

namespace {

using ostrel::gui::toQString;
namespace form = ostrel::layout;

QWidget *plainWidget(const form::Control &control, QWidget &container)
{
    const QString text = toQString(control.text);
    switch (control.kind) {
    case form::Kind::label:
        return new QLabel(text, &container);
    case form::Kind::textBox:
        return new QLineEdit(text, &container);
    case form::Kind::frame:
        return new QGroupBox(text, &container);
    case form::Kind::checkBox:
        return new QCheckBox(text, &container);
    case form::Kind::radioButton:
        return new QRadioButton(text, &container);
    case form::Kind::button:
        break;
    }
    return new QPushButton(text, &container);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);

    const auto &look = form::window();
    QWidget window;
    window.setWindowTitle(toQString(look.caption));
    window.setFixedSize(form::twipsToPixels(look.clientWidthTwips),
                        form::twipsToPixels(look.clientHeightTwips));

    // The table lists every frame before the controls it holds.
    std::vector<std::pair<const form::Control *, QWidget *>> frames;
    for (const form::Control &control : form::controls()) {
        QWidget *container = &window;
        for (const auto &[frameControl, frame] : frames) {
            if (frameControl == form::containerOf(control))
                container = frame;
        }
        QWidget *widget = plainWidget(control, *container);
        const form::Rect place = form::toPixels(control.twips);
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (!control.font.face.empty())
            widget->setFont(ostrel::gui::controlFont(control.font));
        widget->setHidden(!control.visible);
        if (control.kind == form::Kind::frame)
            frames.emplace_back(&control, widget);
    }

    window.show();
    return QApplication::exec();
}
