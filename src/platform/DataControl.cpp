// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataControl.h"
#include "platform/Colours.h"

#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/rtf/Rtf.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QResizeEvent>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace {


QPushButton *navigationButton(const char *name, const QString &text, const QString &accessibleName, QWidget *parent)
{
    QPushButton *button = controls::button(parent, name, text);
    button->setAccessibleName(accessibleName);
    button->setFocusPolicy(Qt::TabFocus);
    button->setMinimumWidth(0);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

} // namespace

DataControl::DataControl(QWidget *parent) : QWidget(parent)
{
    QPalette colours = palette();
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        colours.setColor(role, colours::LightBlue);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        colours.setColor(role, colours::Navy);
    setPalette(colours);
    setAutoFillBackground(true);
    QFont face = font();
    face.setFamily(QStringLiteral("Times New Roman"));
    setFont(face);

    auto *first = navigationButton("cmdFirst", QStringLiteral("|<"), QStringLiteral("First record"), this);
    auto *previous = navigationButton("cmdPrevious", QStringLiteral("<"), QStringLiteral("Previous record"), this);
    auto *next = navigationButton("cmdNext", QStringLiteral(">"), QStringLiteral("Next record"), this);
    auto *last = navigationButton("cmdLast", QStringLiteral(">|"), QStringLiteral("Last record"), this);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(first);
    row->addWidget(previous);
    row->addWidget(m_caption, 1);
    row->addWidget(next);
    row->addWidget(last);

    connect(first, &QPushButton::clicked, this, [this] { moveFirst(); });
    connect(previous, &QPushButton::clicked, this, [this] { movePrevious(); });
    connect(next, &QPushButton::clicked, this, [this] { moveNext(); });
    connect(last, &QPushButton::clicked, this, [this] { moveLast(); });

    m_cursor.setLeavingHandler([this] { writeBack(true); });
    m_cursor.setMovedHandler([this] { fill(); });
}

DataControl::~DataControl()
{
    // Edits of the boxes that still exist are written; nothing is filled any more,
    // since the page around us is being taken down.
    m_destroying = true;
    m_cursor.setMovedHandler(nullptr);
    m_cursor.close();
    m_cursor.setLeavingHandler(nullptr);
}

void DataControl::setCaption(const QString &caption)
{
    m_caption->setText(caption);
}

QString DataControl::caption() const
{
    return m_caption->text();
}

void DataControl::setDatabaseName(const QString &path)
{
    m_database = path;
}

QString DataControl::databaseName() const
{
    return m_database;
}

void DataControl::setRecordSource(const QString &sql)
{
    m_source = sql;
}

QString DataControl::recordSource() const
{
    return m_source;
}

void DataControl::bind(QWidget *box, const QString &field)
{
    if (!qobject_cast<QLineEdit *>(box) && !qobject_cast<QPlainTextEdit *>(box)
        && !qobject_cast<QTextEdit *>(box)) {
        qWarning("DataControl::bind: %s is not a text box; not bound",
                 box ? qPrintable(box->objectName()) : "a null widget");
        return;
    }
    const QString text = boxText(box);
    m_bindings.append({box, field, text, text});
    // The page's boxes may be destroyed before this control; what was typed last is
    // kept here so that it can still be written then.
    const auto remember = [this, box] {
        for (Binding &binding : m_bindings) {
            if (binding.box == box)
                binding.latest = boxText(box);
        }
    };
    if (auto *line = qobject_cast<QLineEdit *>(box))
        connect(line, &QLineEdit::textChanged, this, remember);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        connect(plain, &QPlainTextEdit::textChanged, this, remember);
    else if (auto *rich = qobject_cast<QTextEdit *>(box))
        connect(rich, &QTextEdit::textChanged, this, remember);
    if (m_cursor.isOpen())
        fill();
}

QString DataControl::boxText(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(box))
        return rtf::blockTexts(*plain->document()); // unedited boxes never look changed
    if (const auto *rich = qobject_cast<const QTextEdit *>(box))
        return rtf::blockTexts(*rich->document());
    return {};
}

void DataControl::setBoxText(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->setPlainText(text);
    else if (auto *rich = qobject_cast<QTextEdit *>(box))
        rich->setPlainText(text);
}

QString DataControl::currentText(const Binding &binding) const
{
    return binding.box ? boxText(binding.box) : binding.latest;
}

void DataControl::fill()
{
    // By index: a change notification may bind another box or move the cursor again;
    // each box reads the record the cursor stands on at its turn.
    for (qsizetype i = 0; i < m_bindings.size(); ++i) {
        QWidget *box = m_bindings[i].box;
        if (!box) {
            m_bindings[i].filled = m_bindings[i].latest; // nothing left to show or write
            continue;
        }
        const QString value = RecordCursor::normalizedLineEnds(
            m_cursor.fieldValue(m_bindings[i].field).value_or(QString()));
        if (boxText(box) != value)
            setBoxText(box, value);
        if (i < m_bindings.size() && m_bindings[i].box == box) {
            m_bindings[i].filled = boxText(box);
            m_bindings[i].latest = m_bindings[i].filled;
        }
    }
    if (m_cursor.isOpen())
        Q_EMIT moved();
}

bool DataControl::writeBack(bool leaving)
{
    if (!m_cursor.isOpen())
        return true;
    QHash<QString, QString> changed;
    QList<qsizetype> written;
    for (qsizetype i = 0; i < m_bindings.size(); ++i) {
        const Binding &binding = m_bindings[i];
        const QString text = currentText(binding);
        if (text != binding.filled) {
            changed.insert(binding.field, RecordCursor::normalizedLineEnds(text));
            written << i;
        }
    }
    bool ok = changed.isEmpty() || m_cursor.update(changed);
    if (ok && m_cursor.isNewRecord())
        ok = m_cursor.saveNew();
    if (ok) {
        for (const qsizetype i : std::as_const(written))
            m_bindings[i].filled = currentText(m_bindings[i]);
        return true;
    }
    const QString reason = m_cursor.lastError();
    // Leaving a new record that cannot be stored: it is given up now rather than
    // tried a second time on the way out.
    if (leaving && m_cursor.isNewRecord())
        m_cursor.cancelNew();
    Desktop::current().message(m_destroying ? nullptr : window(), reason);
    return false;
}

void DataControl::watchWindow()
{
    QWidget *top = window();
    if (top == this || top == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = top;
    m_window->installEventFilter(this);
}

bool DataControl::eventFilter(QObject *watched, QEvent *event)
{
    // A page that is closed without a move still keeps what was typed into it.
    if (watched == m_window && event->type() == QEvent::Close)
        writeBack(false);
    return QWidget::eventFilter(watched, event);
}

bool DataControl::open()
{
    close();
    watchWindow();
    if (!m_cursor.open(m_database, m_source)) {
        const QString reason = m_cursor.lastError();
        fill();
        Desktop::current().message(window(), reason);
        return false;
    }
    fill();
    return true;
}

void DataControl::close()
{
    m_cursor.close();
}

bool DataControl::isOpen() const
{
    return m_cursor.isOpen();
}

bool DataControl::isEmpty() const
{
    return m_cursor.isEmpty();
}

bool DataControl::findFirst(const QString &criterion)
{
    return m_cursor.findFirst(criterion);
}

bool DataControl::findNext(const QString &criterion)
{
    return m_cursor.findNext(criterion);
}

bool DataControl::noMatch() const
{
    return m_cursor.noMatch();
}

bool DataControl::moveFirst()
{
    return m_cursor.moveFirst();
}

bool DataControl::movePrevious()
{
    return m_cursor.movePrevious();
}

bool DataControl::moveNext()
{
    return m_cursor.moveNext();
}

bool DataControl::moveLast()
{
    return m_cursor.moveLast();
}

int DataControl::recordCount() const
{
    return m_cursor.recordCount();
}

std::optional<QString> DataControl::fieldValue(const QString &field) const
{
    return m_cursor.fieldValue(field);
}

bool DataControl::addNew()
{
    return m_cursor.addNew();
}

bool DataControl::saveEdits()
{
    return writeBack(false);
}

void DataControl::resizeEvent(QResizeEvent *event)
{
    const int side = std::max(12, height());
    for (const char *name : {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"}) {
        if (auto *button = findChild<QPushButton *>(QLatin1StringView(name), Qt::FindDirectChildrenOnly))
            button->setFixedWidth(side);
    }
    QWidget::resizeEvent(event);
}
