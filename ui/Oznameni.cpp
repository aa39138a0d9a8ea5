#include "ui/Oznameni.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

tOznameni TextOznameni(const tUdalost& udalost) {
    const tUloha& u = udalost.Uloha;
    const QString uloha =
        QStringLiteral("Úloha %1 na frontě %2").arg(u.Id).arg(QString::fromStdString(u.Fronta));
    QString nadpis;
    switch (udalost.Druh) {
    case tUdalost::Zrusena:
        nadpis = uloha + QStringLiteral(" byla zrušena");
        break;
    case tUdalost::Prerusena:
        nadpis = uloha + QStringLiteral(" byla přerušena, etikety se nevytiskly");
        break;
    case tUdalost::FrontaZastavena:
        nadpis = QStringLiteral("Fronta %1 je zastavená, úloha %2 čeká")
                     .arg(QString::fromStdString(u.Fronta))
                     .arg(u.Id);
        break;
    case tUdalost::Nedostupna:
        nadpis = uloha + QStringLiteral(" se stále netiskne");
        break;
    case tUdalost::VytistenaPresStorno:
        nadpis = uloha + QStringLiteral(" se vytiskla, zrušení k ní nedošlo včas");
        break;
    }
    QString text = QString::fromStdString(ZpravaTiskarny(u));
    if (text.isEmpty() && !u.Skoncila() && u.StavFronty == tStavFronty::Zastavena)
        text = QStringLiteral("Fronta je zastavená.");
    else if (text.isEmpty())
        text = QStringLiteral("Tiskárna nic nehlásí.");
    text += QStringLiteral("\nDokument: ") + QString::fromStdString(u.Nazev);
    return {nadpis, text};
}

void Oznam(const tUdalost& udalost) {
    const tOznameni o = TextOznameni(udalost);
    QDBusMessage zprava = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap napovedy;
    napovedy.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(2)); // critical
    napovedy.insert(QStringLiteral("desktop-entry"), QStringLiteral("cz.oblepky.Oblepky"));
    zprava << QStringLiteral("Oblepky") << 0U << QStringLiteral("printer-error") << o.Nadpis
           << o.Text << QStringList() << napovedy << -1;
    // No answer is awaited: a bus without the service answers with an error nobody reads.
    QDBusConnection::sessionBus().send(zprava);
}
