#include "ui/Napoveda.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <string>
#include <utility>

namespace {

constexpr const char* VlastnostTema = "temaNapovedy";

QString soubor_; // the help file
QPointer<QDialog> okno_;
QPointer<QWidget> odkud_; // the window the help was last opened from
QPointer<QTextBrowser> text_;
std::function<void(tTema)> sledovani_;

// F1 anywhere in the application.
class tFiltrF1 : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override {
        if (udalost->type() != QEvent::KeyPress && udalost->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(objekt, udalost);
        auto* klavesa = static_cast<QKeyEvent*>(udalost);
        if (klavesa->key() != Qt::Key_F1 || (klavesa->modifiers() & ~Qt::KeypadModifier))
            return false;
        bool menuOtevrene = qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
        if (udalost->type() == QEvent::ShortcutOverride) {
            // An open menu takes F1 from the window's own F1 shortcut: the highlighted item
            // has the say.
            if (menuOtevrene)
                udalost->accept();
            return menuOtevrene;
        }
        const tTema tema = TemaPodleKontextu();
        if (tema == tTema::Zadne)
            return true; // nothing opens, and an open menu stays as it was
        if (menuOtevrene)
            ZavriMenu();
        OtevriNapovedu(tema);
        return true;
    }

    // The menus close as Escape closes them, so that the keyboard goes back to the control
    // it came from. Left to the help window's activation, they close only half: the menu
    // bar keeps the focus with nothing highlighted, and the keys typed there are lost.
    static void ZavriMenu() {
        for (int i = 0; i < 16; ++i) // one menu per step, with a bound all the same
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                menu->close();
        if (auto* lista = qobject_cast<QMenuBar*>(QApplication::focusWidget())) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(lista, &esc);
        }
    }
};

QPointer<tFiltrF1> filtr_;

QString ZpravaOkna(const QString& zprava) {
    return QStringLiteral("<p>%1</p>").arg(zprava.toHtmlEscaped());
}

QString ObsahTematu(tTema tema) {
    QFile f(soubor_);
    if (soubor_.isEmpty() || !f.exists())
        return ZpravaOkna(QStringLiteral("Soubor nápovědy %1 chybí.").arg(soubor_));
    if (!f.open(QIODevice::ReadOnly))
        return ZpravaOkna(QStringLiteral("Soubor nápovědy %1 nelze otevřít.").arg(soubor_));
    QString text = TextTematu(QString::fromUtf8(f.readAll()), tema);
    if (text.trimmed().isEmpty())
        return ZpravaOkna(QStringLiteral("Téma nápovědy č. %1 v souboru nápovědy není.")
                              .arg(static_cast<int>(tema)));
    return text;
}

// "Hledat:" under the text (Ctrl+F): Enter finds the next place, from the top again past
// the last one.
void PridejHledani(QDialog* okno, QVBoxLayout* rozlozeni) {
    auto* radek = new QHBoxLayout;
    auto* popisek = new QLabel(QStringLiteral("&Hledat:"), okno);
    auto* hledani = new QLineEdit(okno);
    popisek->setBuddy(hledani);
    radek->addWidget(popisek);
    radek->addWidget(hledani);
    rozlozeni->addLayout(radek);
    auto* zkratka = new QShortcut(QKeySequence::Find, okno);
    QObject::connect(zkratka, &QShortcut::activated, hledani, [hledani] {
        hledani->setFocus(Qt::ShortcutFocusReason);
        hledani->selectAll();
    });
    QObject::connect(hledani, &QLineEdit::returnPressed, hledani, [hledani] {
        if (!text_ || hledani->text().isEmpty() || text_->find(hledani->text()))
            return;
        text_->moveCursor(QTextCursor::Start);
        if (!text_->find(hledani->text()))
            QApplication::beep();
    });
}

} // namespace

void NastavTemaNapovedy(QObject* objekt, tTema tema) {
    if (objekt)
        objekt->setProperty(VlastnostTema, static_cast<int>(tema));
}

tTema TemaNapovedy(const QObject* objekt) {
    return objekt ? static_cast<tTema>(objekt->property(VlastnostTema).toInt()) : tTema::Zadne;
}

tTema TemaPodleKontextu() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        if (tTema tema = TemaNapovedy(menu->activeAction()); tema != tTema::Zadne)
            return tema;
        return TemaNapovedy(menu->menuAction());
    }
    // An open drop-down list belongs to its box: the topic comes from there on.
    QWidget* zacatek = QApplication::focusWidget();
    if (QWidget* seznam = QApplication::activePopupWidget())
        zacatek = seznam->parentWidget();
    for (QWidget* w = zacatek; w; w = w->parentWidget()) {
        if (tTema tema = TemaNapovedy(w); tema != tTema::Zadne)
            return tema;
        if (w->isWindow())
            break;
    }
    return tTema::Zadne;
}

QString TextTematu(const QString& obsah, tTema tema) {
    QStringList vysledek;
    bool uvnitr = false;
    for (const QString& radek : obsah.split(QLatin1Char('\n'))) {
        QString r = radek;
        if (r.endsWith(QLatin1Char('\r')))
            r.chop(1);
        if (r.startsWith(QLatin1String("@@"))) {
            if (uvnitr)
                break;
            bool ok = false;
            uvnitr = r.mid(2).trimmed().toInt(&ok) == static_cast<int>(tema) && ok;
            continue;
        }
        if (uvnitr)
            vysledek << r;
    }
    return vysledek.join(QLatin1Char('\n'));
}

void OtevriNapovedu(tTema tema) {
    if (sledovani_)
        sledovani_(tema);
    if (!okno_) {
        okno_ = new QDialog(nullptr, Qt::Window);
        okno_->setAttribute(Qt::WA_QuitOnClose, false); // open help never keeps the program

        okno_->setWindowTitle(QStringLiteral("Nápověda - Oblepky"));
        okno_->resize(520, 440);
        auto* rozlozeni = new QVBoxLayout(okno_);
        text_ = new QTextBrowser(okno_);
        text_->setOpenLinks(false);
        text_->setAccessibleName(QStringLiteral("Text nápovědy"));
        rozlozeni->addWidget(text_);
        PridejHledani(okno_, rozlozeni);
        // Closed, the help hands the keyboard back where the user was reading it from; the
        // window system would pick any window (the main window for the print preview).
        QObject::connect(okno_, &QDialog::finished, okno_, [] {
            if (odkud_ && odkud_->isVisible())
                odkud_->activateWindow();
        });
    }
    if (QWidget* aktivni = QApplication::activeWindow(); aktivni && aktivni != okno_)
        odkud_ = aktivni;
    // Opened from a modal window, the help belongs to it, so that the modal window does not
    // block it: it can be scrolled, searched and closed beside it.
    if (QWidget* modalni = QApplication::activeModalWidget(); okno_->parentWidget() != modalni) {
        okno_->setParent(modalni, Qt::Window);
        okno_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    text_->setHtml(ObsahTematu(tema));
    okno_->show();
    okno_->raise();
    okno_->activateWindow();
}

tNapoveda::tNapoveda(const std::string& soubor, std::function<void(tTema)> sledovani) {
    soubor_ = QFile::decodeName(soubor.c_str());
    sledovani_ = std::move(sledovani);
    if (!filtr_ && qApp) {
        filtr_ = new tFiltrF1(qApp);
        qApp->installEventFilter(filtr_);
    }
}

tNapoveda::~tNapoveda() {
    delete okno_;
    delete filtr_;
    sledovani_ = nullptr;
}

QWidget* OknoNapovedy() {
    return okno_;
}
