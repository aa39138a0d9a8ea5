#pragma once
// The user's configuration folder for the program, for the window and the batch printer
// alike (QtCore only).

#include <QFile>
#include <QStandardPaths>

#include <string>

// $XDG_CONFIG_HOME/oblepky/, by default ~/.config/oblepky/.
inline std::string KonfiguraceUzivatele() {
    const QString zaklad = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QFile::encodeName(zaklad).toStdString() + "/oblepky/";
}
