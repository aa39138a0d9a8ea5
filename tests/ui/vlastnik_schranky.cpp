// A clipboard owner on X11 for the import tests, good or bad as its argument says:
//   text        serves its standard input as UTF8_STRING, in 64 KiB pieces (INCR) when long
//   soubory     offers a list of copied files (text/uri-list) beside their names as text
//   mlci        never answers
//   mlci-data   gives its list of formats, then never answers the request for the text
//   odmitne     gives its list of formats, then refuses the text
//   umre        gives its list of formats, then exits on the request for the text
//   umre-incr   starts sending the text in pieces, then exits after the first piece
// Prints "ok" when it owns the clipboard.

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

xcb_connection_t* c;

xcb_atom_t Atom(const char* nazev) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(nazev), nazev), nullptr);
    xcb_atom_t a = r->atom;
    std::free(r);
    return a;
}

void Oznam(const xcb_selection_request_event_t& z, xcb_atom_t vlastnost) {
    xcb_selection_notify_event_t o{};
    o.response_type = XCB_SELECTION_NOTIFY;
    o.time = z.time;
    o.requestor = z.requestor;
    o.selection = z.selection;
    o.target = z.target;
    o.property = vlastnost;
    xcb_send_event(c, 0, z.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&o));
    xcb_flush(c);
}

} // namespace

int main(int argc, char** argv) {
    const std::string rezim = argc > 1 ? argv[1] : "text";
    std::string text;
    if (rezim == "text")
        text.assign(std::istreambuf_iterator<char>(std::cin), {});
    else if (rezim == "soubory")
        text = "file:///tmp/a.txt";
    else
        text = std::string(300000, 'x'); // long enough to go in pieces

    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t* s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t okno = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, okno, s->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t schranka = Atom("CLIPBOARD"), cile = Atom("TARGETS"),
                     utf8 = Atom("UTF8_STRING"), incr = Atom("INCR"), uri = Atom("text/uri-list");
    xcb_set_selection_owner(c, okno, schranka, XCB_CURRENT_TIME);
    xcb_get_selection_owner_reply_t* vlastnik =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, schranka), nullptr);
    if (!vlastnik || vlastnik->owner != okno)
        return 1;
    std::free(vlastnik);
    std::cout << "ok" << std::endl;

    constexpr size_t Kus = 65536;
    size_t poslano = 0;
    bool posilam = false;
    xcb_window_t prijemce = XCB_NONE;
    xcb_atom_t cil = XCB_NONE;
    while (xcb_generic_event_t* u = xcb_wait_for_event(c)) {
        const int typ = u->response_type & 0x7f;
        if (typ == XCB_SELECTION_REQUEST && rezim != "mlci") {
            const auto z = *reinterpret_cast<xcb_selection_request_event_t*>(u);
            if (z.target == cile) {
                std::vector<xcb_atom_t> nabidka{cile, utf8};
                if (rezim == "soubory")
                    nabidka.push_back(uri);
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, z.requestor, z.property,
                                    XCB_ATOM_ATOM, 32, nabidka.size(), nabidka.data());
                Oznam(z, z.property);
            } else if (z.target != utf8 && z.target != uri) {
                Oznam(z, XCB_NONE);
            } else if (rezim == "umre") {
                return 0;
            } else if (rezim == "odmitne") {
                Oznam(z, XCB_NONE);
            } else if (rezim == "mlci-data") {
            } else if (text.size() <= Kus) {
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, z.requestor, z.property, z.target, 8,
                                    text.size(), text.data());
                Oznam(z, z.property);
            } else {
                // Pieces: each deletion of the property by the requestor asks for the next.
                const uint32_t maska = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(c, z.requestor, XCB_CW_EVENT_MASK, &maska);
                const auto delka = static_cast<uint32_t>(text.size());
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, z.requestor, z.property, incr, 32, 1,
                                    &delka);
                Oznam(z, z.property);
                posilam = true;
                poslano = 0;
                prijemce = z.requestor;
                cil = z.property;
            }
        } else if (typ == XCB_PROPERTY_NOTIFY && posilam) {
            const auto& p = *reinterpret_cast<xcb_property_notify_event_t*>(u);
            if (p.window == prijemce && p.atom == cil && p.state == XCB_PROPERTY_DELETE) {
                if (rezim == "umre-incr" && poslano > 0)
                    return 0;
                const size_t n = std::min(Kus, text.size() - poslano);
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, prijemce, cil, utf8, 8, n,
                                    text.data() + poslano);
                xcb_flush(c);
                poslano += n;
                posilam = n > 0;
            }
        }
        std::free(u);
    }
    return 0;
}
