// Turns a Qt Linguist file fresh from lupdate into a pseudo translation:
// every text becomes itself wrapped in [[ and ]]. The tests load it and look
// for any text a window shows without the markers, which is a text that
// never went through tr().
//
//   make_pseudo_translation <in.ts> <out.ts>

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: make_pseudo_translation <in.ts> <out.ts>\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "make_pseudo_translation: cannot open %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    QXmlStreamReader reader(&in);
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    QString source;
    bool numerus = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"TS") {
            // English plural rules: two forms.
            writer.writeStartElement(QStringLiteral("TS"));
            writer.writeAttribute(QStringLiteral("version"), reader.attributes().value(QLatin1String("version")).toString());
            writer.writeAttribute(QStringLiteral("language"), QStringLiteral("en"));
            continue;
        }
        if (reader.isStartElement() && reader.name() == u"message")
            numerus = reader.attributes().value(QLatin1String("numerus")) == u"yes";
        if (reader.isStartElement() && reader.name() == u"source") {
            writer.writeCurrentToken(reader);
            source = reader.readElementText();
            writer.writeCharacters(source);
            writer.writeEndElement();
            continue;
        }
        if (reader.isStartElement() && reader.name() == u"translation") {
            reader.skipCurrentElement();
            const QString pseudo = QStringLiteral("[[") + source + QStringLiteral("]]");
            writer.writeStartElement(QStringLiteral("translation"));
            if (numerus) {
                writer.writeTextElement(QStringLiteral("numerusform"), pseudo);
                writer.writeTextElement(QStringLiteral("numerusform"), pseudo);
            } else {
                writer.writeCharacters(pseudo);
            }
            writer.writeEndElement();
            continue;
        }
        if (!reader.isWhitespace())
            writer.writeCurrentToken(reader);
    }
    if (reader.hasError()) {
        std::fprintf(stderr, "make_pseudo_translation: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    return out.flush() ? 0 : 1;
}
