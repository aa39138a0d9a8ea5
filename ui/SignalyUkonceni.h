#pragma once
// Ends the program normally on SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C in a
// terminal): the main window closes and saves just as when the user closes it.

#include "core/Deskriptor.h"

#include <QObject>

#include <functional>

class QSocketNotifier;

class TSignalyUkonceni : public QObject {
public:
    // ukonci runs in the event loop after one of the signals arrived.
    explicit TSignalyUkonceni(std::function<void()> ukonci, QObject* rodic = nullptr);
    ~TSignalyUkonceni() override; // the default handlers again

private:
    std::function<void()> ukonci_;
    tDeskriptor cteni_, zapis_; // the pipe from the signal handler to the event loop
    QSocketNotifier* oznamovac_ = nullptr;
};
