// The program's entry: the application object, then the program's run.

#include "Chyby.h"
#include "Program.h"
#include "UNI.h"

#include <QFont>

int main(int argc, char** argv) {
    TAplikace aplikace(argc, argv);
    aplikace.setApplicationName(QStringLiteral("Oblepky"));
    aplikace.setFont(QFont(QStringLiteral("Sans Serif"), 8));
    return SpustProgram(AdresarZCesty(CestaProgramu()));
}
