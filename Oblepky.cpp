// The program's entry: the application object, then the program's run.

#include "core/UNI.h"
#include "ui/Chyby.h"
#include "ui/Program.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// The desktop menu's SVG icon, drawn in the sizes window managers ask for.
QIcon IkonaProgramu() {
    QSvgRenderer svg(QStringLiteral(":/Oblepky.svg"));
    QIcon ikona;
    for (int strana : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap obraz(strana, strana);
        obraz.fill(Qt::transparent);
        QPainter malir(&obraz);
        svg.render(&malir);
        malir.end();
        ikona.addPixmap(obraz);
    }
    return ikona;
}

} // namespace

int main(int argc, char** argv) {
    TAplikace aplikace(argc, argv);
    aplikace.setApplicationName(QStringLiteral("Oblepky"));
    // Ties the windows to the menu entry cz.oblepky.Oblepky.desktop and its icon.
    aplikace.setDesktopFileName(QStringLiteral("cz.oblepky.Oblepky"));
    aplikace.setWindowIcon(IkonaProgramu());
    aplikace.setFont(QFont(QStringLiteral("Sans Serif"), 8));
    return SpustProgram(AdresarZCesty(CestaProgramu()));
}
