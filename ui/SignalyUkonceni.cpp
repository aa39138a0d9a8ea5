#include "ui/SignalyUkonceni.h"

#include <QSocketNotifier>

TSignalyUkonceni::TSignalyUkonceni(std::function<void()> ukonci, QObject* rodic)
    : QObject(rodic), ukonci_(std::move(ukonci)) {
    if (signaly_.Fd() < 0)
        return; // without a pipe the signals keep their default: the program just ends
    oznamovac_ = new QSocketNotifier(signaly_.Fd(), QSocketNotifier::Read, this);
    connect(oznamovac_, &QSocketNotifier::activated, this, [this] {
        signaly_.Vyprazdni();
        ukonci_();
    });
}

TSignalyUkonceni::~TSignalyUkonceni() {
    delete oznamovac_; // before its descriptor closes
}
