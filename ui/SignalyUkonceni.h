#pragma once
// Ends the program normally on SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C in a
// terminal): the main window closes and saves just as when the user closes it.

#include "core/SignalyKonce.h"

#include <QObject>

#include <functional>

class QSocketNotifier;

class TSignalyUkonceni : public QObject {
public:
    // ukonci runs in the event loop after one of the signals arrived, again after each
    // later one.
    explicit TSignalyUkonceni(std::function<void()> ukonci, QObject* rodic = nullptr);
    ~TSignalyUkonceni() override; // the handlers from before

private:
    std::function<void()> ukonci_;
    tSignalyKonce signaly_{tSignalyKonce::tDalsi::Zachytit};
    QSocketNotifier* oznamovac_ = nullptr;
};
