// The program's entry: shared state, the main window and the completion dialog.

#include "Chyby.h"
#include "MainForm.h"
#include "UNI.h"
#include "VytistenoForm.h"

#include <QFont>

#include <memory>

int main(int argc, char** argv) {
    TAplikace aplikace(argc, argv);
    aplikace.setApplicationName(QStringLiteral("Oblepky"));
    aplikace.setFont(QFont(QStringLiteral("Sans Serif"), 8));
    try {
        InicializujUNI(CestaProgramu());
    } catch (...) {
        UkazChybu(std::current_exception());
        return 1;
    }
    auto okno = std::make_unique<TMainForm>();
    okno->NastavVytisteno(new TVytistenoForm(okno.get())); // lives as long as the window
    okno->show();
    int vysledek = aplikace.exec();
    okno.reset(); // saves the state
    return vysledek;
}
