// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtf/RtfCommon.h"

#include "platform/Twips.h"


namespace rtf::detail {
namespace {
// Bytes 0x80 to 0x9F; every other byte is the Latin-1 character of the same value.
constexpr char16_t Windows1252High[32] = {
    0x20AC,
    0xFFFD,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0xFFFD,
    0x017D,
    0xFFFD,
    0xFFFD,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0xFFFD,
    0x017E,
    0x0178,
};
} // namespace

char16_t fromWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return Windows1252High[byte - 0x80];
    return byte;
}

int toWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c == 0xFFFD)
        return -1;
    for (int i = 0; i < 32; ++i) {
        if (Windows1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

double twipsPerPixel()
{
    return twips::perPixel();
}

} // namespace rtf::detail
