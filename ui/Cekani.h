#pragma once
// The hourglass cursor over the whole application.

#include <QGuiApplication>

inline void ZmenKurzor(bool cekej) {
    if (cekej)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

// The hourglass for as long as the object lives, also when an error passes.
class tCekani {
public:
    tCekani() { ZmenKurzor(true); }
    ~tCekani() { ZmenKurzor(false); }
    tCekani(const tCekani&) = delete;
    tCekani& operator=(const tCekani&) = delete;
};
