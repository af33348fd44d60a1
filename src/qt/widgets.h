// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include "drawing.h"
#include "window_description.h"

#include <string>
#include <string_view>
#include <vector>

namespace ostrel::gui {

// The core speaks UTF-16 as QString does, so texts cross over unit for unit: a lone surrogate
// or a tab in a field survives the round trip unchanged.
inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline QString toQString(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

inline std::u16string toU16(const QString &text)
{
    return text.toStdU16String();
}

// A rectangle of the description's pixels as Qt holds it.
QRect toQRect(const layout::Rect &pixels);

// Tells Qt how assistive technology sees the window's own widgets (their comments say how);
// installing them again does nothing.
void installAccessibleInterfaces();

// Keeps a line edit to one line of whatever reaches it, as `FieldEdit` tells.
QValidator *oneLineValidator(QObject *parent);

// An entry field that reports a completed left click. The click is reported after the line
// edit has placed the caret where the mouse fell, so whatever the click handler does to the
// caret has the last word.
//
// It holds one line: whatever is typed, pasted, dropped or committed by an input method keeps
// only what comes before its first line break or tab, as the calculator's own fields do, and
// the caret ends after what was kept.
//
// To assistive technology it is an editable text, as Qt's own line edit is, labelled by the
// label that shows its caption (see `setCaption`) and by nothing else: a screen reader reads
// that caption as the field's label, not the frame's title around it.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget *parent);

    // The label that shows the field's caption on the screen. A label with no buddy yet takes
    // the field as its buddy, Qt's own link from a label to the field it names.
    void setCaption(QLabel &label);
    QLabel *caption() const { return m_caption; }

    // Where the character at `position` is drawn, in the field's coordinates; empty past the
    // end of the text.
    QRect characterRect(int position) const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointer<QLabel> m_caption;
};

// A caption beside a column of entry fields: each of its lines stands in its band, level with
// a field, whatever the font's own line height is (the window description says which line and
// where). The text is shown as plain text and text() stays exactly the caption.
class FieldRowsLabel : public QLabel {
    Q_OBJECT
public:
    struct Line {
        QString text;
        layout::LineBand band; // in the label's own coordinates
    };

    // To assistive technology the label is the label of every field whose caption it shows.
    FieldRowsLabel(const QString &text, std::vector<Line> lines, QWidget *parent = nullptr);

    const std::vector<Line> &lines() const { return m_lines; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<Line> m_lines;
};

// A caption that may stand in a table of figures: to assistive technology it is then a
// column's or a row's header or a cell, as the description places it, so that a screen reader
// reads a figure with its row and column.
class Caption : public QLabel {
    Q_OBJECT
public:
    Caption(const QString &text, layout::TablePart tablePart, QWidget *parent)
        : QLabel(text, parent)
        , m_tablePart(tablePart)
    {
    }

    layout::TablePart tablePart() const { return m_tablePart; }

private:
    layout::TablePart m_tablePart;
};

// A caption that changes while the window is open, kept up with by assistive technology: its
// accessible name says what it is, its accessible description is always the caption shown,
// and every caption written with `announce` is announced, the same one again included, as a
// change of the description.
//
// Made selectable, its text can be selected with the mouse and copied, from its context menu
// or with the copy key, without the label taking the keyboard focus: the focus stays in the
// field being typed into, and the copy key pressed there copies the label's selection when it
// has one (see `Controls`).
class LiveLabel : public Caption {
    Q_OBJECT
public:
    using Caption::Caption;

    void announce(const QString &caption);

    // Puts the selected part of the answer on the clipboard.
    void copySelection();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
};

// A frame drawn the same on every desktop: its face all in its own colour, a thin border and
// the caption on the border's top edge. Styles that shade a group box's face would set the
// frame's captions, which share its colour, apart as pale patches.
//
// To assistive technology it is a group of the controls it holds but those that are hidden: a
// control that is never shown must not be found by a screen reader at all.
class FrameBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    // Where the caption is drawn, on the border's top edge; empty without a caption.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the edge and the caption go, as on every platform, in this frame's font.
    layout::FrameDrawing drawing() const;
};

} // namespace ostrel::gui
