#pragma once
// A program directory's settings file and state, built as main builds them for the window.

#include "core/Nastaveni.h"
#include "ui/MainForm.h"

#include <QFile>
#include <QString>

struct tProgram {
    explicit tProgram(const QString& adresar)
        : Uloziste(QFile::encodeName(adresar + QStringLiteral("/Oblepky.ini")).toStdString()),
          Nactene(Uloziste.Nacti()), Stav(Nactene.Stav) {}

    tUlozisteNastaveni Uloziste;
    tNastaveni Nactene;
    tStav Stav;
};
