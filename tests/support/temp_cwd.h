#pragma once

#include "files/file_name_codec.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include <unistd.h>

namespace tesselo::testing {

// Runs a test inside a fresh empty directory, as the game runs inside its
// play directory, and goes back afterwards.
class TempCwd {
public:
    TempCwd() : previous(QDir::currentPath())
    {
        EXPECT_TRUE(dir.isValid());
        EXPECT_TRUE(QDir::setCurrent(dir.path()));
    }
    ~TempCwd()
    {
        QDir::setCurrent(previous);
        // Qt cannot name these, so it cannot remove them either.
        for (const QByteArray& path : rawNames)
            ::unlink(path.constData());
    }

    QString Path(const QString& relative) const { return dir.filePath(relative); }

    // A one-colour picture in the format the name asks for.
    QString Picture(const QString& relative, QColor colour, int w = 64, int h = 48) const
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = Path(relative);
        EXPECT_TRUE(img.save(path, nullptr, 100)) << relative.toStdString();
        return path;
    }

    // A picture whose file name is `name` byte for byte, valid UTF-8 or not,
    // in the folder `relative`; returns the name as the game holds it.
    QString PictureWithRawName(const QString& relative, const QByteArray& name, QColor colour)
    {
        const QString made = Picture(relative + "/made.png", colour);
        rawNames.push_back(QFile::encodeName(Path(relative)) + '/' + name);
        EXPECT_EQ(::rename(QFile::encodeName(made).constData(), rawNames.back().constData()), 0);
        return FileNameFromBytes(name);
    }

    QString Text(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile f(Path(relative));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return Path(relative);
    }

private:
    QString previous;
    QTemporaryDir dir;
    std::vector<QByteArray> rawNames;
};

} // namespace tesselo::testing
