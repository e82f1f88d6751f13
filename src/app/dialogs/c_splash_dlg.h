#pragma once

#include <QDialog>

class QPushButton;

namespace tesselo {

// The title card shown before the game: "Proceed" (or Enter) goes on to the
// game, Escape ends the program untouched.
class CSplashDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSplashDlg(QWidget* parent = nullptr);

    QPushButton* proceedButton = nullptr;
};

} // namespace tesselo
