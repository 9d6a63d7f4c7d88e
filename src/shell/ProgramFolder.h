// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program folder holds the executable, both databanks, the documents and the few
// files the program writes. Every file is named relative to it.
namespace programfolder {

QString path();
// Joins the program folder and a file name.
QString file(const QString &name);
// Makes the program folder the working directory; false if that failed.
bool makeCurrent();

// Tests point the program at a folder of their own; an empty path goes back to the
// folder of the executable.
void setPathForTesting(const QString &path);

// Started with --maintenance: the databank pages offer their maintenance controls
// and the bound boxes become editable.
bool maintenance();
void setMaintenance(bool on);

} // namespace programfolder
