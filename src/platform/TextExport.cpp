// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace textexport {
namespace {

bool fail(QString *message, const QString &path, const QString &reason)
{
    if (message)
        *message = QStringLiteral("The file %1 could not be written: %2.")
                       .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
    return false;
}

} // namespace

bool writeLines(const QString &path, const QStringList &lines, Mode mode, QString *message)
{
    const QFileInfo target(path);
    if (target.isDir())
        return fail(message, path, QStringLiteral("a folder of that name is in the way"));

    QByteArray data;
    if (mode == Mode::Append && target.exists()) {
        // The old lines must survive: a file that cannot be read is not replaced.
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly))
            return fail(message, path, old.errorString());
        data = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return fail(message, path, old.errorString());
    }
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(message, path, out.errorString());
    if (out.write(data) != data.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return fail(message, path, reason);
    }
    if (!out.commit())
        return fail(message, path, out.errorString());
    return true;
}

} // namespace textexport
