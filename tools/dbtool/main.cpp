// SPDX-License-Identifier: GPL-3.0-or-later
// simillon-dbtool: builds the databank files from their text sources and back. The
// command line is read here; the work is in DatabankBuilder.
#include "DatabankBuilder.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char kUsage[] =
    "usage:\n"
    "  simillon-dbtool build <Homeopathy.txt> <HomeoAfflictions.txt> <out-dir>\n"
    "  simillon-dbtool dump <databank-dir> <out-dir>\n"
    "  simillon-dbtool check <databank-dir> --remedy-names <remedy-names.txt>\n"
    "  simillon-dbtool gaps <databank-dir> --remedy-names <remedy-names.txt> --out <known-gaps.txt>\n";

int finish(const dbtool::Outcome &outcome)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    for (const QString &line : outcome.report)
        out << line << '\n';
    out.flush();
    for (const QString &warning : outcome.warnings)
        err << "simillon-dbtool: warning: " << warning << '\n';
    for (const QString &error : outcome.errors)
        err << "simillon-dbtool: error: " << error << '\n';
    return outcome.ok() ? 0 : 1;
}

// The value after `option`, or an empty text.
QString optionValue(const QStringList &args, const QString &option)
{
    const qsizetype at = args.indexOf(option);
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);

    if (command == QLatin1String("build") && args.size() == 4)
        return finish(dbtool::build(args[1], args[2], args[3]));
    if (command == QLatin1String("dump") && args.size() == 3)
        return finish(dbtool::dump(args[1], args[2]));
    const QString names = optionValue(args, QStringLiteral("--remedy-names"));
    if (command == QLatin1String("check") && args.size() == 4 && !names.isEmpty())
        return finish(dbtool::check(args[1], names));
    const QString out = optionValue(args, QStringLiteral("--out"));
    if (command == QLatin1String("gaps") && args.size() == 6 && !names.isEmpty() && !out.isEmpty())
        return finish(dbtool::writeGaps(args[1], names, out));

    QTextStream(stderr) << kUsage;
    return 2;
}
