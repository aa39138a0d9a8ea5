#pragma once
// The completion dialog: created once, hidden, and shown by every print run with the
// number of labels sent.

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
};
