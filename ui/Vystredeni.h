#pragma once
// Where the program's windows open: dialogs centred on the screen, not over the window that
// owns them; the preview beside the main window.

#include <QScreen>
#include <QWidget>

#include <algorithm>

inline void VystredNaObrazovce(QWidget* okno) {
    if (QScreen* obrazovka = okno->screen())
        okno->move(obrazovka->availableGeometry().center() - okno->frameGeometry().center() +
                   okno->pos());
}

// Beside its owner, to the right where there is room, else to the left, and whole on the
// owner's screen, so that both can be seen; a window manager may put it anywhere, even partly
// off the screen.
inline void PolozVedle(QWidget* okno, const QWidget* vlastnik) {
    const QScreen* obrazovka = vlastnik->screen();
    if (!obrazovka)
        return;
    const QRect plocha = obrazovka->availableGeometry();
    const QRect u = vlastnik->frameGeometry();
    const QSize velikost = okno->frameGeometry().size();
    int x = u.right() + 1;
    if (x + velikost.width() > plocha.right() + 1)
        x = u.left() - velikost.width();
    x = std::clamp(x, plocha.left(),
                   std::max(plocha.left(), plocha.right() + 1 - velikost.width()));
    const int y = std::clamp(u.top(), plocha.top(),
                             std::max(plocha.top(), plocha.bottom() + 1 - velikost.height()));
    okno->move(x, y);
}
