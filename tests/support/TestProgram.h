// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingDesktop.h"

#include <QString>
#include <QTemporaryDir>

// A program under test: a fresh program folder of its own (optionally with copies of
// the freshly built databanks), the recording desktop seam, and a page framework whose
// "end of program" is recorded instead of quitting. Destroying it destroys every page.
class TestProgram
{
public:
    enum Databanks { NoDatabanks, WithDatabanks };
    explicit TestProgram(Databanks databanks = NoDatabanks);
    ~TestProgram();

    QString folder() const { return m_dir.path(); }
    QString file(const QString &name) const;
    // Writes a file into the program folder.
    void write(const QString &name, const QByteArray &data) const;

    bool ended() const { return m_quitCalls > 0; }
    int quitCalls() const { return m_quitCalls; }

    RecordingDesktop desktop;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_pictureCache; // renderings kept between runs stay out of the user's cache
    int m_quitCalls = 0;
};

// Runs deferred deletions, so that discarded pages are really gone.
void flushDeletions();
