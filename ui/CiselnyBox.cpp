#include "ui/CiselnyBox.h"

#include <QLineEdit>
#include <QLocale>

#include <algorithm>

TCiselnyBox::TCiselnyBox(int od, int po, QWidget* rodic) : QSpinBox(rodic) {
    setRange(od, po);
    setSingleStep(1);
    setWrapping(false);
    setGroupSeparatorShown(true);
    setAccelerated(false);
    // The position follows typing only once the typed number is confirmed: typing 5 and
    // clearing the box again must give back what the box had.
    setKeyboardTracking(false);
}

QValidator::State TCiselnyBox::validate(QString& text, int& pozice) const {
    const QValidator::State stav = QSpinBox::validate(text, pozice);
    return stav == QValidator::Invalid ? QValidator::Intermediate : stav;
}

void TCiselnyBox::Zobraz(int32_t hodnota) {
    setValue(static_cast<int>(std::clamp<int32_t>(hodnota, minimum(), maximum())));
    // setValue does not rewrite a text that shows the same value in another form.
    lineEdit()->setText(textFromValue(value()));
}

int32_t TCiselnyBox::Precti() {
    int cislo = 0;
    if (CisloZTextu(lineEdit()->text(), cislo) && cislo >= minimum() && cislo <= maximum())
        setValue(cislo);
    return value();
}

bool TCiselnyBox::CisloZTextu(const QString& text, int& cislo) const {
    const QString holy = text.trimmed();
    if (holy.isEmpty())
        return false;
    bool ok = false;
    cislo = locale().toInt(holy, &ok);
    if (ok)
        return true;
    // Separators typed by hand: a plain space where the locale has a no-break one, or
    // groups the locale would not form. Drop them and read the digits.
    QString cislice;
    const QString oddelovac = locale().groupSeparator();
    for (qsizetype i = 0; i < holy.size(); ++i) {
        const QChar z = holy[i];
        if (z == u' ' || z == QChar(0x00A0) || z == QChar(0x202F))
            continue;
        if (!oddelovac.isEmpty() && holy.sliced(i).startsWith(oddelovac)) {
            i += oddelovac.size() - 1;
            continue;
        }
        cislice += z;
    }
    if (cislice.isEmpty())
        return false;
    cislo = QLocale::c().toInt(cislice, &ok);
    return ok;
}
