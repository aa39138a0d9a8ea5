#include "ui/Schranka.h"

#include "ui/SchrankaX11.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

std::optional<QString> TextSchranky() {
    QClipboard* schranka = QGuiApplication::clipboard();
    // On X11 another program's text is fetched with waits of our own, on a connection to the
    // server DISPLAY names (a display given with -display alone is left to the toolkit). What
    // this program put there itself is at hand without asking anybody.
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        !qEnvironmentVariableIsEmpty("DISPLAY") && !schranka->ownsClipboard()) {
        std::optional<tTextX11> text = TextSchrankyX11();
        if (!text)
            return std::nullopt;
        const auto delka = static_cast<qsizetype>(text->Bajty.size());
        return text->Utf8 ? QString::fromUtf8(text->Bajty.data(), delka)
                          : QString::fromLatin1(text->Bajty.data(), delka);
    }
    const QMimeData* data = schranka->mimeData();
    if (!data || !data->hasFormat(QStringLiteral("text/plain")) || data->hasUrls())
        return std::nullopt;
    return data->text();
}
