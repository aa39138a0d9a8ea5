#include "ui/PrubehTisku.h"

#include "ui/Cekani.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

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

void TPrubehTisku::Cekej(bool cekej) {
    ZmenKurzor(cekej);
    zruseno_ = false;
    obnova_.invalidate();
    Storno->setEnabled(true);
    if (cekej) {
        od_.start();
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        od_.invalidate();
        hide();
    }
}

// The run stays on this thread and lets the event loop in from its own loop, at most every
// 50 ms: the job, the dialogs and the program's state stay on one thread, and a spooler call
// that blocks ends by its deadline. A worker thread would need all of them made safe.
bool TPrubehTisku::Pokracuj(long long hotovo, long long celkem) {
    if (zruseno_)
        return false; // also before the window shows: the owner may have closed
    if (od_.elapsed() < 1000 || (obnova_.isValid() && obnova_.elapsed() < 50))
        return true;
    xStav->setText(QStringLiteral("Vytištěno %1 z %2 etiket").arg(hotovo).arg(celkem));
    Ukazatel->setValue(celkem > 0 ? static_cast<int>(hotovo * 1000 / celkem) : 0);
    if (!obnova_.isValid()) {
        QGuiApplication::changeOverrideCursor(Qt::ArrowCursor); // the window answers now
        show();
        Storno->setFocus();
    }
    obnova_.start();
    QApplication::processEvents();
    return !zruseno_;
}

void TPrubehTisku::reject() {
    zruseno_ = true;
    Storno->setEnabled(false);
    xStav->setText(QStringLiteral("Tisk se ruší..."));
}
