#pragma once
// The one place that shows errors: the error box (caption "Oblepky", stop icon, OK) with
// the error's message and the full-stop rule.

#include <QApplication>

#include <exception>
#include <functional>
#include <utility>

// Shows the error box for the exception currently being handled or given.
void UkazChybu(const std::exception_ptr& chyba);

// The text the error box shows for an exception.
QString TextChybovehoOkna(const std::exception_ptr& chyba);

// Wraps an event handler so that an error escaping it is shown and the program goes on.
template <class F> auto Chranene(F handler) {
    return [handler = std::move(handler)](auto&&... argumenty) {
        try {
            handler(std::forward<decltype(argumenty)>(argumenty)...);
        } catch (...) {
            UkazChybu(std::current_exception());
        }
    };
}

// The application object: the last-resort net for an error that escapes an event handler
// not wrapped by Chranene; it is shown and the event loop goes on.
class TAplikace : public QApplication {
public:
    TAplikace(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* prijemce, QEvent* udalost) override;
};
