// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;
class QLabel;
class QPushButton;
class QGroupBox;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QListWidget;

// Small builders for the controls of the page designs. Each takes the control's name
// (its objectName, as the designs name it) and its place in twips, and gives every
// control an accessible name: its caption, or for boxes and lists the label or tip
// that stands for it.
namespace controls {

struct Twips {
    int left, top, width, height;
};

// "Times New Roman" at a point size; the setup installs a metric-compatible serif for it.
QFont font(double pointSize, bool bold = false);

void place(QWidget *widget, const Twips &at);
void setColors(QWidget *widget, const QColor &text, const QColor &background);

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const Twips &at);
// A button placed by its parent's layout.
QPushButton *button(QWidget *parent, const char *name, const QString &caption);
QLabel *label(QWidget *parent, const char *name, const QString &text, const Twips &at);
QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const Twips &at);
// A frame without caption or border: a plain container.
QFrame *panel(QWidget *parent, const char *name, const Twips &at);
QLineEdit *lineBox(QWidget *parent, const char *name, const QString &accessibleName, const Twips &at);
QPlainTextEdit *textBox(QWidget *parent, const char *name, const QString &accessibleName, const Twips &at);
QListWidget *list(QWidget *parent, const char *name, const QString &accessibleName, const Twips &at);
// A drawn line from (x1, y1) to (x2, y2), in twips.
QWidget *line(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, const QColor &color);

} // namespace controls
