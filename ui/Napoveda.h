#pragma once
// The help service: a small help window of the program showing numbered topics of the help
// file, and F1 by context (focus chain up to the window's topic; with a menu
// open, the highlighted item's topic, then its parent item's).

#include <functional>
#include <string>

class QObject;
class QString;
class QWidget;

// Shows topic `tema` of the help file in the help window.
void OtevriNapovedu(int tema);

// Gives a widget, window or menu action (QAction) its help topic; 0 means none of its own.
void NastavTemaNapovedy(QObject* objekt, int tema);
// The object's own topic, 0 when it has none.
int TemaNapovedy(const QObject* objekt);

// The topic F1 asks for right now: with a menu open its highlighted item's (or the item it
// belongs to); otherwise the focus widget's, walking up to its window. 0: none.
int TemaPodleKontextu();

// Started once by the program with the help file: catches F1 application-wide.
void SpustNapovedu(const std::string& soubor);
// Closes the help window (at exit).
void UkonciNapovedu();

// The text of topic `tema` in a help file's content: the lines after the line "@@ tema" up
// to the next line starting with "@@". An empty result means the file lacks the topic.
QString TextTematu(const QString& obsah, int tema);

// The help window, when one has been opened (tests read what it shows).
QWidget* OknoNapovedy();

// Tests: called with every topic OtevriNapovedu is asked for.
void NastavSledovaniNapovedy(std::function<void(int tema)> sledovani);
