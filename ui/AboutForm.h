#pragma once
// The About box: the program's name, its directory and its version. Built for one opening
// and destroyed when it closes.

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // adresar: the folder shown, the file system's bytes.
    TAboutForm(QWidget* vlastnik, const std::string& adresar);

    QLabel* Adresar; // the program directory
    QLabel* verze;   // the version line
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* udalost) override;
};
