#include "ui/PrubehTisku.h"

#include "ui/Cekani.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TPrubehTisku::TPrubehTisku(QWidget* vlastnik)
    : QDialog(vlastnik, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Tisk"));
    setWindowModality(Qt::ApplicationModal); // nothing else may start while a run goes on
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
    if (vlastnik)
        vlastnik->installEventFilter(this);
}

bool TPrubehTisku::eventFilter(QObject* objekt, QEvent* udalost) {
    if (udalost->type() == QEvent::Hide && !udalost->spontaneous() && od_.isValid())
        zruseno_ = true;
    return QDialog::eventFilter(objekt, udalost);
}

void TPrubehTisku::Cekej(bool cekej) {
    ZmenKurzor(cekej);
    zruseno_ = false;
    obnova_.invalidate();
    Storno->setEnabled(true);
    if (cekej) {
        od_.start();
    } else {
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
    QCoreApplication::processEvents();
    return !zruseno_;
}

void TPrubehTisku::reject() {
    zruseno_ = true;
    Storno->setEnabled(false);
    xStav->setText(QStringLiteral("Tisk se ruší..."));
}
