// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestProgram.h"

#include "platform/PictureCache.h"
#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

TestProgram::TestProgram(Databanks databanks)
{
    PageManager::instance().resetForTesting();
    startup::setFonts(); // as the program has them
    programfolder::setPathForTesting(m_dir.path());
    programfolder::setMaintenance(false);
    picturecache::setFolderForTesting(m_pictureCache.path());
    PageManager::instance().setQuitHandler([this] { ++m_quitCalls; });
    if (databanks == WithDatabanks) {
        for (const char *name : {"Homeopathy.mdb", "HomeoAfflictions.mdb"}) {
            const QString from = QDir(QStringLiteral(SIMILLON_GENERATED_DIR)).filePath(QString::fromLatin1(name));
            if (!QFile::copy(from, file(QString::fromLatin1(name))))
                qWarning("TestProgram: could not copy %s", qPrintable(from));
        }
    }
}

TestProgram::~TestProgram()
{
    PageManager::instance().resetForTesting();
    PageManager::instance().setQuitHandler({});
    programfolder::setPathForTesting(QString());
    picturecache::setFolderForTesting(QString());
    QDir::setCurrent(QDir::tempPath());
}

QString TestProgram::file(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void TestProgram::write(const QString &name, const QByteArray &data) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("TestProgram: cannot write %s", qPrintable(name));
}

void flushDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
