// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "databank/RecordCursor.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;

// The data control of the record pages: a navigation bar (first, previous, caption,
// next, last) over one record cursor, and the text boxes bound to its fields.
//
// The cursor tells the control before it leaves a record and after it stands on
// another one, whoever moved it (the bar, the page, another page through cursor()).
// Before leaving, every bound box whose text the user or the page changed since it was
// filled is written back in one transaction; a failed write is reported once through
// the desktop seam and the move goes on. After a move the boxes are filled one by one
// in bind order, and a box's text is set only when it differs, so each box raises its
// change notification only when its text really changes: the pages' decoding and
// display refresh depend on exactly that.
class DataControl : public QWidget
{
    Q_OBJECT
public:
    explicit DataControl(QWidget *parent = nullptr);
    ~DataControl() override;

    // The caption between the buttons, kept verbatim with its leading blanks.
    void setCaption(const QString &caption);
    QString caption() const;
    void setDatabaseName(const QString &path);
    QString databaseName() const;
    void setRecordSource(const QString &sql);
    QString recordSource() const;

    // Binds a QLineEdit, QPlainTextEdit or QTextEdit to a field; other widgets are
    // refused. Boxes are filled in the order they were bound.
    void bind(QWidget *box, const QString &field);

    // Opens the databank and stands on the first record. On failure the record set is
    // empty, the boxes are empty, the user gets one message naming the file and what
    // is wrong, and the answer is false.
    bool open();
    // Writes pending edits, then closes; the boxes become empty.
    void close();
    bool isOpen() const;
    bool isEmpty() const;

    bool findFirst(const QString &criterion);
    bool findNext(const QString &criterion);
    bool noMatch() const;
    bool moveFirst();
    bool movePrevious();
    bool moveNext();
    bool moveLast();
    int recordCount() const;
    std::optional<QString> fieldValue(const QString &field) const;
    bool addNew();
    // Writes the edited boxes of the current record (or the new record) now. False,
    // after one message to the user, when the write failed.
    bool saveEdits();

    RecordCursor &cursor() { return m_cursor; }

Q_SIGNALS:
    // After a move filled the bound boxes.
    void moved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The four buttons stay square, so the caption keeps the width between them.
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Binding {
        QPointer<QWidget> box;
        QString field;
        QString filled; // the box's text right after the last fill or write
        QString latest; // its text at its last change, for when the box is gone first
    };

    static QString boxText(const QWidget *box);
    static void setBoxText(QWidget *box, const QString &text);
    QString currentText(const Binding &binding) const;
    void fill();
    bool writeBack(bool leaving);
    void watchWindow();

    RecordCursor m_cursor;
    QList<Binding> m_bindings;
    QString m_database;
    QString m_source;
    QLabel *m_caption = nullptr;
    QPointer<QWidget> m_window;
    bool m_destroying = false;
};
