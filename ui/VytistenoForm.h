#pragma once
// The completion dialog: created once, hidden, and shown by every print run with the
// number of labels sent, or that nothing was.

#include <QDialog>

class QLabel;
class QPushButton;

class TVytistenoForm : public QDialog {
    Q_OBJECT
public:
    explicit TVytistenoForm(QWidget* vlastnik);

    // Shows the count and waits until the user closes the dialog.
    void Ukaz(long long pocet);

    QLabel* xPocet;
    QPushButton* OK;

private:
    QLabel* zprava_; // sent, or nothing sent
};
