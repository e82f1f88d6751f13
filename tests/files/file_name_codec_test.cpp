#include "files/file_name_codec.h"

#include <gtest/gtest.h>

using namespace tesselo;

namespace {

QString Units(std::initializer_list<char16_t> units)
{
    QString s;
    for (const char16_t u : units)
        s.append(QChar(u));
    return s;
}

} // namespace

// Valid UTF-8 is decoded; every other byte is kept as its escape, and the
// text always gives back the very bytes it came from.
TEST(FileNameCodec, EveryByteStringComesBackExactly)
{
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"plain.png", "plain.png"},
        {"Fj\xc3\xa4llsj\xc3\xb6.jpg", QString::fromUtf8("Fjällsjö.jpg")},
        {"\xf0\x9f\x90\x9f.gif", QString::fromUtf8("🐟.gif")},
        {"caf\xe9.png", Units({'c', 'a', 'f', 0xDCE9, '.', 'p', 'n', 'g'})},
        // The three-byte form of a surrogate is no UTF-8: byte by byte.
        {"\xed\xb3\xa9", Units({0xDCED, 0xDCB3, 0xDCA9})},
        // Overlong, past U+10FFFF, cut short, a stray continuation.
        {"\xc0\xaf", Units({0xDCC0, 0xDCAF})},
        {"\xf4\x90\x80\x80", Units({0xDCF4, 0xDC90, 0xDC80, 0xDC80})},
        {"a\xe2\x82", Units({'a', 0xDCE2, 0xDC82})},
        {"\x80z", Units({0xDC80, 'z'})},
        // A pair whose low half looks like an escape, then an escape.
        {"\xf0\x9f\x92\xa9\xa9", Units({0xD83D, 0xDCA9, 0xDCA9})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameFromBytes(c.bytes), c.text) << c.bytes.toHex().constData();
        EXPECT_EQ(FileNameToBytes(c.text), c.bytes) << c.bytes.toHex().constData();
    }
    // Text no file name decodes to names no file.
    for (const QString& text : {Units({'a', 0}), Units({'a', 0xD800}), Units({0xDC10}), Units({0xDFFF, 'b'})})
        EXPECT_TRUE(FileNameToBytes(text).isEmpty()) << text.size();
}
