#include "NastaveniOblepkyForm.h"
// TODO: being written
TNastaveniOblepkyForm::TNastaveniOblepkyForm(QWidget* vlastnik) : QDialog(vlastnik) {}
void TNastaveniOblepkyForm::Zobraz(const tPopisEtiket&) {}
void TNastaveniOblepkyForm::OKClick() {}
void TNastaveniOblepkyForm::NapovedaClick() {}
