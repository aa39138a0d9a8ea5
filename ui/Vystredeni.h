#pragma once
// Where the program's dialogs open: centred on the screen, not over the window that owns
// them.

#include <QScreen>
#include <QWidget>

inline void VystredNaObrazovce(QWidget* okno) {
    if (QScreen* obrazovka = okno->screen())
        okno->move(obrazovka->availableGeometry().center() - okno->frameGeometry().center() +
                   okno->pos());
}
