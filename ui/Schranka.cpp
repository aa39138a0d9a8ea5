#include "ui/Schranka.h"

#include "core/Win1250.h"
#include "ui/SchrankaX11.h"
#include "ui/Text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

std::optional<std::string> TextSchranky(size_t& nepresnych) {
    QClipboard* schranka = QGuiApplication::clipboard();
    // On X11 another program's text is fetched with waits of our own, on a connection to the
    // server DISPLAY names (a display given with -display alone is left to the toolkit). What
    // this program put there itself is at hand without asking anybody.
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        !qEnvironmentVariableIsEmpty("DISPLAY") && !schranka->ownsClipboard()) {
        std::optional<tTextX11> text = TextSchrankyX11();
        if (!text)
            return std::nullopt;
        nepresnych +=
            text->Utf8 ? Utf8NaWin1250NaMiste(text->Bajty) : Latin1NaWin1250NaMiste(text->Bajty);
        return std::move(text->Bajty);
    }
    const QMimeData* data = schranka->mimeData();
    if (!data || !data->hasFormat(QStringLiteral("text/plain")) || data->hasUrls())
        return std::nullopt;
    // The text shares the clipboard's own copy: only the 8-bit one is new.
    return ZQt(data->text(), &nepresnych);
}
