#include "ui/Vystredeni.h"

#include <algorithm>

tMistoOkna MistoVedle(QSize velikost, QSize ramecek, QSize nejmensi, const QRect& vlastnik,
                      const QRect& plocha) {
    const int vpravo = plocha.right() - vlastnik.right(); // free columns beside the owner
    const int vlevo = vlastnik.left() - plocha.left();
    const bool doprava = velikost.width() + ramecek.width() <= vpravo ||
                         (velikost.width() + ramecek.width() > vlevo && vpravo >= vlevo);
    const int sirka = (doprava ? vpravo : vlevo) - ramecek.width();
    if (sirka < velikost.width() && sirka >= nejmensi.width())
        velikost.setWidth(sirka);
    velikost.setHeight(std::clamp(plocha.height() - ramecek.height(), nejmensi.height(),
                                  std::max(velikost.height(), nejmensi.height())));
    const QSize cely = velikost + ramecek;
    const int x = doprava ? vlastnik.right() + 1 : vlastnik.left() - cely.width();
    return {
        {std::clamp(x, plocha.left(), std::max(plocha.left(), plocha.right() + 1 - cely.width())),
         std::clamp(vlastnik.top(), plocha.top(),
                    std::max(plocha.top(), plocha.bottom() + 1 - cely.height()))},
        velikost};
}

void PolozVedle(QWidget* okno) {
    const QWidget* vlastnik = okno->parentWidget() ? okno->parentWidget()->window() : nullptr;
    if (okno->testAttribute(Qt::WA_Moved) || !vlastnik || !vlastnik->screen())
        return;
    const QSize ramecek = vlastnik->frameGeometry().size() - vlastnik->size();
    const tMistoOkna misto =
        MistoVedle(okno->size(), ramecek, okno->minimumSizeHint(), vlastnik->frameGeometry(),
                   vlastnik->screen()->availableGeometry());
    okno->resize(misto.Velikost);
    okno->move(misto.Poloha);
}
