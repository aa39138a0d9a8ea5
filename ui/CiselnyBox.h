#pragma once
// The number box: a narrow text box with up/down arrows. Its position is a whole number
// limited to the box's range; the arrows step by 1 and stop at the ends. From 1000 on the
// text shows the locale's thousands separator.

#include <QSpinBox>

#include <cstdint>

class TCiselnyBox : public QSpinBox {
    Q_OBJECT
public:
    TCiselnyBox(int od, int po, QWidget* rodic = nullptr);

    // Shows a value. A value outside the range (only a hand-edited settings file holds one)
    // is clamped to the nearest end, so OK stores the clamped value back.
    void Zobraz(int32_t hodnota);

    // The text when it is a whole number inside the range (thousands separators allowed);
    // otherwise the position the box last had: the value shown by Zobraz, the last one
    // reached with the arrows or the last valid number confirmed (Enter or leaving the box).
    int32_t Precti();

protected:
    // Anything may be typed; what is not a number in range gives the box's last position
    // back when it is read or left, instead of keys refused while typing.
    QValidator::State validate(QString& text, int& pozice) const override;

private:
    bool CisloZTextu(const QString& text, int& cislo) const;
};
