#pragma once
// Widget tests: acting on a modal window that the code under test opens and waits for.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

// Runs `akce` on the window `najdi` finds once it is up (null after about five seconds
// without one), then closes the window if it is still open.
inline void PriOkne(std::function<QWidget*()> najdi, std::function<void(QWidget*)> akce) {
    // Owned by the application, so that one still waiting when the tests end goes with it.
    auto* casovac = new QTimer(QCoreApplication::instance());
    auto pokusy = std::make_shared<int>(0);
    QObject::connect(casovac, &QTimer::timeout, [casovac, pokusy, najdi, akce] {
        QPointer<QWidget> okno = najdi();
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

// The same on the next modal window.
inline void PriModalnim(std::function<void(QWidget*)> akce) {
    PriOkne([] { return QApplication::activeModalWidget(); }, std::move(akce));
}

// The error boxes (stop icon) that the code under test shows, for as long as the object
// lives: each one's text goes to `zachyt` and the box is closed as the user would close it.
class tChybovaOkna {
public:
    explicit tChybovaOkna(std::function<void(const QString& text)> zachyt) {
        QObject::connect(&casovac_, &QTimer::timeout, [zachyt = std::move(zachyt)] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->icon() != QMessageBox::Critical)
                return;
            const QString text = box->text();
            box->done(QMessageBox::Ok);
            zachyt(text);
        });
        casovac_.start(5);
    }

private:
    QTimer casovac_;
};
