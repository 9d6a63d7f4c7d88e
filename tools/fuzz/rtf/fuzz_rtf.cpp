// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes into the RTF reader. Besides never crashing or hanging, whatever it
// accepts must write out, read back to the same text, and write out the same again.
#include "platform/rtf/Rtf.h"

#include <QTextBlock>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *what, const QByteArray &written)
{
    std::fprintf(stderr, "%s\n%s\n", what, written.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    if (!rtf::read(input, doc))
        return 0;
    const QByteArray written = rtf::write(doc);
    QTextDocument back;
    QString error;
    if (!rtf::read(written, back, &error))
        broken(qPrintable(QStringLiteral("written document does not read back: ") + error), written);
    if (rtf::blockTexts(back) != rtf::blockTexts(doc))
        broken("written document reads back to other text", written);
    if (rtf::write(back) != written)
        broken("writing the read-back document gives other RTF", written);
    return 0;
}
