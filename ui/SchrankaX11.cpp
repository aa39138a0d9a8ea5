#include "ui/SchrankaX11.h"

#include "core/Chyba.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace {

using std::chrono::milliseconds;
using tHodiny = std::chrono::steady_clock;

// How long the owner may stay silent before its next answer: the list of formats, the text,
// each piece of a long text. A working owner answers from its event loop at once, and one
// that first turns a large range of cells into text needs well under a second for it; two
// seconds leave room for a busy machine and still end a hang soon. An owner that dies is
// seen within KontrolaVlastnika, not after this wait.
constexpr milliseconds TichoVlastnika{2000};
constexpr milliseconds KontrolaVlastnika{20};

[[noreturn]] void NelzeOtevrit() {
    throw eChyba("Cannot open clipboard");
}

struct tUvolni {
    void operator()(void* p) const { std::free(p); }
};
template <class T> using tOdpoved = std::unique_ptr<T, tUvolni>;

bool Obsahuje(const std::vector<xcb_atom_t>& formaty, xcb_atom_t format) {
    return std::find(formaty.begin(), formaty.end(), format) != formaty.end();
}

class tCteni {
public:
    tCteni() : spojeni_(xcb_connect(nullptr, nullptr), xcb_disconnect) {
        if (xcb_connection_has_error(spojeni_.get()))
            NelzeOtevrit();
    }

    std::optional<tTextX11> Cti() {
        schranka_ = Atom("CLIPBOARD");
        vlastnik_ = Vlastnik();
        if (vlastnik_ == XCB_NONE)
            return std::nullopt;
        vlastnost_ = Atom("OBLEPKY_SCHRANKA");
        incr_ = Atom("INCR");
        VytvorOkno();

        const std::optional<std::string> seznam = Preved(Atom("TARGETS"));
        std::vector<xcb_atom_t> formaty;
        if (seznam) {
            formaty.resize(seznam->size() / sizeof(xcb_atom_t));
            std::memcpy(formaty.data(), seznam->data(), formaty.size() * sizeof(xcb_atom_t));
        } else {
            formaty.push_back(Atom("UTF8_STRING")); // an owner without a list: just ask
        }
        if (Obsahuje(formaty, Atom("text/uri-list")))
            return std::nullopt;

        struct tFormat {
            std::string_view Nazev;
            bool Utf8;
        };
        for (const tFormat& f :
             {tFormat{"UTF8_STRING", true}, tFormat{"text/plain;charset=utf-8", true},
              tFormat{"text/plain", true}, tFormat{"STRING", false}}) {
            const xcb_atom_t format = Atom(f.Nazev);
            if (!Obsahuje(formaty, format))
                continue;
            std::optional<std::string> text = Preved(format);
            if (!text) {
                if (seznam) // it offered the text and then refused it
                    NelzeOtevrit();
                return std::nullopt;
            }
            return tTextX11{std::move(*text), f.Utf8};
        }
        return std::nullopt;
    }

private:
    xcb_connection_t* C() const { return spojeni_.get(); }

    xcb_atom_t Atom(std::string_view nazev) {
        const xcb_intern_atom_cookie_t dotaz =
            xcb_intern_atom(C(), 0, static_cast<uint16_t>(nazev.size()), nazev.data());
        tOdpoved<xcb_intern_atom_reply_t> odpoved(xcb_intern_atom_reply(C(), dotaz, nullptr));
        if (!odpoved)
            NelzeOtevrit();
        return odpoved->atom;
    }

    xcb_window_t Vlastnik() {
        const xcb_get_selection_owner_cookie_t dotaz = xcb_get_selection_owner(C(), schranka_);
        tOdpoved<xcb_get_selection_owner_reply_t> odpoved(
            xcb_get_selection_owner_reply(C(), dotaz, nullptr));
        if (!odpoved)
            NelzeOtevrit();
        return odpoved->owner;
    }

    // A hidden window of our own that receives the text as its property.
    void VytvorOkno() {
        const xcb_screen_t* obrazovka = xcb_setup_roots_iterator(xcb_get_setup(C())).data;
        okno_ = xcb_generate_id(C());
        const uint32_t udalosti = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(C(), XCB_COPY_FROM_PARENT, okno_, obrazovka->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &udalosti);
    }

    // The clipboard in the given format, or nothing when the owner refuses that format. A long
    // text comes in pieces (INCR): each piece read and deleted asks the owner for the next.
    std::optional<std::string> Preved(xcb_atom_t format) {
        xcb_convert_selection(C(), okno_, schranka_, format, vlastnost_, XCB_CURRENT_TIME);
        xcb_flush(C());
        const tOdpoved<xcb_generic_event_t> udalost = Cekej([this](const xcb_generic_event_t& u) {
            return (u.response_type & 0x7f) == XCB_SELECTION_NOTIFY &&
                   reinterpret_cast<const xcb_selection_notify_event_t&>(u).requestor == okno_;
        });
        if (reinterpret_cast<const xcb_selection_notify_event_t&>(*udalost).property == XCB_NONE)
            return std::nullopt;
        tOdpoved<xcb_get_property_reply_t> vlastnost = VezmiVlastnost();
        if (vlastnost->type != incr_)
            return Hodnota(*vlastnost);
        std::string text;
        for (;;) {
            Cekej([this](const xcb_generic_event_t& u) {
                const auto& zmena = reinterpret_cast<const xcb_property_notify_event_t&>(u);
                return (u.response_type & 0x7f) == XCB_PROPERTY_NOTIFY && zmena.window == okno_ &&
                       zmena.atom == vlastnost_ && zmena.state == XCB_PROPERTY_NEW_VALUE;
            });
            vlastnost = VezmiVlastnost();
            if (xcb_get_property_value_length(vlastnost.get()) == 0)
                return text;
            text += Hodnota(*vlastnost);
        }
    }

    // Reads and deletes our window's property.
    tOdpoved<xcb_get_property_reply_t> VezmiVlastnost() {
        const xcb_get_property_cookie_t dotaz = xcb_get_property(
            C(), 1, okno_, vlastnost_, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4);
        tOdpoved<xcb_get_property_reply_t> odpoved(xcb_get_property_reply(C(), dotaz, nullptr));
        if (!odpoved)
            NelzeOtevrit();
        return odpoved;
    }

    static std::string Hodnota(xcb_get_property_reply_t& vlastnost) {
        return {static_cast<const char*>(xcb_get_property_value(&vlastnost)),
                static_cast<size_t>(xcb_get_property_value_length(&vlastnost))};
    }

    // The next event that `hledana` accepts. The owner is checked every KontrolaVlastnika:
    // the server gives the clipboard up when its owner's connection closes.
    template <class F> tOdpoved<xcb_generic_event_t> Cekej(F hledana) {
        const auto konec = tHodiny::now() + TichoVlastnika;
        auto kontrola = tHodiny::now() + KontrolaVlastnika;
        for (;;) {
            while (xcb_generic_event_t* u = xcb_poll_for_event(C())) {
                tOdpoved<xcb_generic_event_t> udalost(u);
                if (hledana(*udalost))
                    return udalost;
            }
            if (xcb_connection_has_error(C()))
                NelzeOtevrit();
            const auto ted = tHodiny::now();
            if (ted >= konec)
                NelzeOtevrit();
            if (ted >= kontrola) {
                if (Vlastnik() != vlastnik_)
                    NelzeOtevrit();
                kontrola = ted + KontrolaVlastnika;
                continue; // events that came with the answer wait in the queue
            }
            pollfd cteni{xcb_get_file_descriptor(C()), POLLIN, 0};
            const auto cekat =
                std::chrono::ceil<milliseconds>(std::min(konec, kontrola) - ted).count();
            poll(&cteni, 1, static_cast<int>(cekat));
        }
    }

    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> spojeni_;
    xcb_atom_t schranka_ = XCB_NONE;
    xcb_atom_t vlastnost_ = XCB_NONE;
    xcb_atom_t incr_ = XCB_NONE;
    xcb_window_t vlastnik_ = XCB_NONE;
    xcb_window_t okno_ = XCB_NONE;
};

} // namespace

std::optional<tTextX11> TextSchrankyX11() {
    return tCteni().Cti();
}
