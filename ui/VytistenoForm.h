#pragma once
// The completion dialog: created once, hidden, and shown by every print run with the
// number of labels sent, or that nothing was, or that Storno came too late.

#include <QDialog>

class QLabel;
class QPushButton;

class TVytistenoForm : public QDialog {
    Q_OBJECT
public:
    explicit TVytistenoForm(QWidget* vlastnik);

    // Shows the count and waits until the user closes the dialog. nezrusena: Storno came
    // too late, and the pocet labels print all the same.
    void Ukaz(long long pocet, bool nezrusena = false);

    QLabel* xPocet;
    QPushButton* OK;

private:
    QLabel* zprava_; // sent, nothing sent, or not cancelled
};
