#include "ui/PrubehTisku.h"

#include "core/PriKonci.h"
#include "ui/Cekani.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <utility>

TPrubehTisku::TPrubehTisku(QWidget* vlastnik)
    : QDialog(vlastnik, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Tisk"));
    // Not modal: the window system's close of a window that a modal one blocks never reaches
    // it, and closing the main window must end the run as a signal does. The input of the
    // other windows is dropped instead (eventFilter), so nothing else starts meanwhile.
    auto* rozlozeni = new QVBoxLayout(this);
    xStav = new QLabel(this);
    Ukazatel = new QProgressBar(this);
    Ukazatel->setRange(0, 1000);
    xStav->setBuddy(Ukazatel);
    Storno = new QPushButton(QStringLiteral("Storno"), this);
    Storno->setFixedSize(75, 25);
    Storno->setDefault(true);
    connect(Storno, &QPushButton::clicked, this, &TPrubehTisku::reject);
    rozlozeni->addWidget(xStav);
    rozlozeni->addWidget(Ukazatel);
    rozlozeni->addWidget(Storno, 0, Qt::AlignHCenter);
    setMinimumWidth(260);
}

namespace {

bool JeVstup(QEvent::Type typ) {
    switch (typ) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

bool TPrubehTisku::eventFilter(QObject* objekt, QEvent* udalost) {
    if (objekt == parent() && udalost->type() == QEvent::Hide && !udalost->spontaneous())
        zruseno_ = true; // the owner closed (the program ends): Storno as well
    if (!JeVstup(udalost->type()))
        return false;
    // What the user may still reach: this window, and a box that comes up meanwhile (being
    // modal, it blocks the rest itself). A shortcut's action is never this window's.
    if (const auto* widget = qobject_cast<const QWidget*>(objekt))
        return widget->window() != this && !widget->window()->isModal();
    if (const auto* okno = qobject_cast<const QWindow*>(objekt))
        return okno != windowHandle() && okno->modality() == Qt::NonModal;
    return true;
}

void TPrubehTisku::Zacni() {
    zruseno_ = false;
    obnova_.invalidate();
    ukazano_ = false;
    celkem_ = -1;
    Storno->setEnabled(true);
    od_.start();
    qApp->installEventFilter(this);
}

void TPrubehTisku::Cekej(bool cekej) {
    ZmenKurzor(cekej);
    if (cekej) {
        if (!od_.isValid()) // else the job's opening has begun the wait
            Zacni();
        else if (ukazano_) // and shows the window, which answers
            QGuiApplication::changeOverrideCursor(Qt::ArrowCursor);
    } else {
        Neotevrena();
    }
}

void TPrubehTisku::Neotevrena() {
    qApp->removeEventFilter(this);
    od_.invalidate();
    hide();
}

// The run stays on this thread and lets the event loop in from its own loop, at most every
// 50 ms: the dialogs and the program's state stay on one thread. The job's calls to the
// server run on a thread of their own, and its waits for them come here too
// (CekaNaServer), so that the window answers whatever the server does.
bool TPrubehTisku::Pokracuj(long long hotovo, long long celkem) {
    hotovo_ = hotovo;
    celkem_ = celkem;
    if (zruseno_)
        return false; // also before the window shows: the owner may have closed
    Ukaz(QStringLiteral("Vytištěno %1 z %2 etiket").arg(hotovo).arg(celkem),
         celkem > 0 ? static_cast<int>(hotovo * 1000 / celkem) : 0);
    return !zruseno_;
}

bool TPrubehTisku::CekaNaServer() {
    if (!od_.isValid())
        Zacni();
    if (zruseno_)
        Ukaz({}, 0); // the window repaints while the job is being cancelled
    else if (celkem_ >= 0)
        return Pokracuj(hotovo_, celkem_);
    else
        Ukaz(QStringLiteral("Čeká se na tiskový server..."), 0);
    return !zruseno_;
}

void TPrubehTisku::Obsluhuj(tSluzbyTisku& sluzby, decltype(tSluzbyTisku::VytvorUlohu) otevri) {
    sluzby.VytvorUlohu = [this, otevri = std::move(otevri)](const std::string& dokument,
                                                            const std::string& tiskarna) {
        bool otevrena = false;
        const tPriKonci konec([&] {
            if (!otevrena)
                Neotevrena();
        });
        auto uloha = otevri(dokument, tiskarna);
        otevrena = true;
        return uloha;
    };
    sluzby.Kurzor = [this](bool cekej) { Cekej(cekej); };
    sluzby.Pokrok = [this](long long hotovo, long long celkem) { return Pokracuj(hotovo, celkem); };
}

bool TPrubehTisku::Nacita(long long precteno, long long velikost) {
    if (!od_.isValid())
        Zacni();
    if (!zruseno_)
        Ukaz(QStringLiteral("Načítá se tabulka ze souboru…"),
             velikost > 0 ? static_cast<int>(std::min<long long>(1000, precteno * 1000 / velikost))
                          : 0);
    else
        Ukaz({}, 0);
    return !zruseno_;
}

// The event loop at most every 50 ms; the window after the first second. An empty stav
// keeps the text.
void TPrubehTisku::Ukaz(const QString& stav, int promile) {
    if (obnova_.isValid() && obnova_.elapsed() < 50)
        return;
    if (od_.elapsed() >= 1000) {
        if (!stav.isEmpty()) {
            xStav->setText(stav);
            Ukazatel->setValue(promile);
        }
        if (!ukazano_) {
            ukazano_ = true;
            QGuiApplication::changeOverrideCursor(Qt::ArrowCursor); // the window answers now
            show();
            Storno->setFocus();
        }
    }
    obnova_.start();
    QApplication::processEvents();
}

void TPrubehTisku::reject() {
    zruseno_ = true;
    Storno->setEnabled(false);
    xStav->setText(QStringLiteral("Tisk se ruší..."));
}
