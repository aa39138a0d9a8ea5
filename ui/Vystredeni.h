#pragma once
// Where the program's windows open: dialogs centred on the screen, not over the window that
// owns them; the windows that stay open beside the main one, beside it.

#include <QScreen>
#include <QWidget>

inline void VystredNaObrazovce(QWidget* okno) {
    if (QScreen* obrazovka = okno->screen())
        okno->move(obrazovka->availableGeometry().center() - okno->frameGeometry().center() +
                   okno->pos());
}

// Where a window beside the main one (the preview, the job list) opens the first time: beside its
// owner (the frame vlastnik), to the right where there is room, else to the left, and whole on the
// screen's free area plocha. Where neither side has room for the size wanted, it is made narrower
// to fit the wider side, down to the width of nejmensi; only then does it cover part of the owner.
// It is made lower to fit the screen likewise. ramecek: what the window frame adds to a window's
// size.
struct tMistoOkna {
    QPoint Poloha;  // of the frame
    QSize Velikost; // without the frame
};
tMistoOkna MistoVedle(QSize velikost, QSize ramecek, QSize nejmensi, const QRect& vlastnik,
                      const QRect& plocha);

// Places okno beside its owner's window by MistoVedle, once: after that it opens where the user
// left it. Its frame is not known before it first shows: the owner's stands for it.
void PolozVedle(QWidget* okno);
