#pragma once
// The help service: a small help window of the program showing numbered topics of the help
// file SouborNapovedy, and F1 by context (focus chain up to the window's topic; with a menu
// open, the highlighted item's topic, then its parent item's).

class QObject;
class QWidget;

// Shows topic `tema` of the help file in the help window owned by the main window.
void OtevriNapovedu(int tema);

// Gives a widget, window or menu action (QAction) its help topic; 0 means none of its own.
void NastavTemaNapovedy(QObject* objekt, int tema);

// Created once by the main window: owns the help window and catches F1 application-wide.
void SpustNapovedu(QWidget* hlavniOkno);
// Closes the help window (at exit).
void UkonciNapovedu();
