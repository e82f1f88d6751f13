#include "files/file_name_codec.h"

#include <cstdint>

namespace tesselo {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

bool IsContinuation(std::uint8_t b) { return (b & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at `at` and its code point, or 0.
// The second byte's range rules out overlong forms, surrogates and code
// points past U+10FFFF, as RFC 3629 does.
int DecodeOne(const std::uint8_t* at, qsizetype left, char32_t* point)
{
    const std::uint8_t b = at[0];
    if (b < 0x80) {
        *point = b;
        return 1;
    }
    int length = 0;
    std::uint8_t low = 0x80, high = 0xBF;
    char32_t value = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        value = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        value = b & 0x0F;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        value = b & 0x07;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (left < length || at[1] < low || at[1] > high)
        return 0;
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(at[i]))
            return 0;
        value = (value << 6) | (at[i] & 0x3F);
    }
    *point = value;
    return length;
}

void AppendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

} // namespace

QString FileNameFromBytes(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const qsizetype size = bytes.size();
    QString name;
    name.reserve(size);
    for (qsizetype i = 0; i < size;) {
        char32_t point = 0;
        const int length = DecodeOne(data + i, size - i, &point);
        if (length == 0) {
            name.append(QChar(char16_t(kEscapeBase + data[i])));
            ++i;
            continue;
        }
        name.append(QString::fromUcs4(&point, 1));
        i += length;
    }
    return name;
}

QByteArray FileNameToBytes(const QString& name)
{
    QByteArray out;
    out.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        if (u == 0)
            return {};
        if (QChar::isHighSurrogate(u) && i + 1 < name.size() && QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(u, name.at(i + 1).unicode()));
            ++i;
        } else if (u >= kFirstEscape && u <= kLastEscape) {
            out.append(char(u - kEscapeBase));
        } else if (QChar::isSurrogate(u)) {
            return {};
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

QString FileNameShown(const QString& name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t u = shown.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < shown.size() && QChar::isLowSurrogate(shown.at(i + 1).unicode()))
            ++i;
        else if (QChar::isSurrogate(u))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

} // namespace tesselo
