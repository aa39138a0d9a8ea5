#pragma once
// Widget tests: acting on a modal window that the code under test opens and waits for.

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

// Runs `akce` on the next modal window once it is up (null after about five seconds
// without one), then closes the window if it is still open.
inline void PriModalnim(std::function<void(QWidget*)> akce) {
    auto* casovac = new QTimer;
    auto pokusy = std::make_shared<int>(0);
    QObject::connect(casovac, &QTimer::timeout, [casovac, pokusy, akce] {
        QPointer<QWidget> okno = QApplication::activeModalWidget();
        if (!okno && ++*pokusy < 500)
            return;
        casovac->stop();
        casovac->deleteLater();
        akce(okno);
        if (okno && okno->isVisible())
            okno->close();
    });
    casovac->start(10);
}
