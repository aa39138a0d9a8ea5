#pragma once
// The help service: a small help window of the program showing numbered topics of the help
// file, and F1 by context (focus chain up to the window's topic; with a menu
// open, the highlighted item's topic, then its parent item's).

#include <functional>
#include <string>

class QObject;
class QString;
class QWidget;

// The topics of the help file: topic n is the text under the line "@@ n".
enum class tTema : int {
    Zadne = 0, // an object without a topic of its own
    Pouzivani = 1,
    Nastaveni = 2,
    Konec = 3,
    Tisk = 5,
    NovaEtiketa = 6,
    Nahled = 7, // the print preview
    Ulohy = 8,  // the job list
};

// Shows topic `tema` of the help file in the help window.
void OtevriNapovedu(tTema tema);

// Gives a widget, window or menu action (QAction) its help topic.
void NastavTemaNapovedy(QObject* objekt, tTema tema);
// The object's own topic, Zadne when it has none.
tTema TemaNapovedy(const QObject* objekt);

// The topic F1 asks for right now: with a menu open its highlighted item's (or the item it
// belongs to); otherwise the focus widget's, walking up to its window.
tTema TemaPodleKontextu();

// The help service, started by the program with the help file: F1 is caught application-wide
// for as long as it lives, and the help window closes when it goes. One lives at a time.
// sledovani (tests) is called with every topic OtevriNapovedu is asked for.
class tNapoveda {
public:
    explicit tNapoveda(const std::string& soubor, std::function<void(tTema tema)> sledovani = {});
    ~tNapoveda();
    tNapoveda(const tNapoveda&) = delete;
    tNapoveda& operator=(const tNapoveda&) = delete;
};

// The text of topic `tema` in a help file's content: the lines after the line "@@ tema" up
// to the next line starting with "@@". An empty result means the file lacks the topic.
QString TextTematu(const QString& obsah, tTema tema);

// The help window, when one has been opened (tests read what it shows).
QWidget* OknoNapovedy();
