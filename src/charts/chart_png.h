#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

namespace tesselo {

// A chart saved as a PNG picture: the dialog that asks where, the question
// before a file is replaced, and the write. Its texts are the charts'
// menu's own.
class ChartPng {
    Q_DECLARE_TR_FUNCTIONS(tesselo::ChartWidget)
public:
    // Writes `picture` into `path` as PNG, replaced whole once written.
    static bool Save(const QImage& picture, const QString& path, QString* error = nullptr);
    // Asks where, in the player's own folder of pictures, and saves what
    // `picture` gives there; tells the player when it could not.
    static void Offer(QWidget* parent, const std::function<QImage()>& picture);
    // The dialog Offer asks with: a name typed without an extension gets
    // ".png" before the dialog looks for a file it would replace, so that
    // it asks then as it does for a name typed whole.
    static std::unique_ptr<QFileDialog> MakeDialog(QWidget* parent);
    // The path the picture goes to for a path the dialog chose: with ".png"
    // added when it has another extension (or, from a dialog of the
    // desktop's own, none).
    static QString WithExtension(const QString& chosen);
};

} // namespace tesselo
