#include "ui/Chyby.h"

#include "core/Chyba.h"

#include <QMessageBox>

#include <cstdio>

QString TextChybovehoOkna(const std::exception_ptr& chyba) {
    try {
        if (chyba)
            std::rethrow_exception(chyba);
        return {};
    } catch (const std::exception& e) {
        return QString::fromStdString(TextChyby(e.what()));
    } catch (...) {
        return QStringLiteral("Neznámá chyba.");
    }
}

void UkazChybu(const std::exception_ptr& chyba) {
    QString text = TextChybovehoOkna(chyba);
    // Without a widget application (tools, tests of the core) a box cannot be shown.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "Oblepky: %s\n", text.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Oblepky"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool TAplikace::notify(QObject* prijemce, QEvent* udalost) {
    try {
        return QApplication::notify(prijemce, udalost);
    } catch (...) {
        UkazChybu(std::current_exception());
        return false;
    }
}
