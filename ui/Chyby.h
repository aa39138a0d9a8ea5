#pragma once
// The one place that shows errors: the error box (caption "Oblepky", stop icon, OK) with
// the error's message and the full-stop rule.

#include <exception>
#include <utility>

// Shows the error box for the exception currently being handled or given.
void UkazChybu(std::exception_ptr chyba);

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
