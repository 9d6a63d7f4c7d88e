// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The text exports of the databank pages: lines written to a small file in the
// program folder, each ended by CR LF. The file is written under a temporary name and
// moved into place, so a failed export leaves the earlier file as it was; appending
// writes the old content followed by the new lines the same way.
namespace textexport {

enum class Mode { Replace, Append };

// False when the file could not be written; `message` then holds one sentence for the
// user that names the file and the reason.
bool writeLines(const QString &path, const QStringList &lines, Mode mode, QString *message = nullptr);

} // namespace textexport
