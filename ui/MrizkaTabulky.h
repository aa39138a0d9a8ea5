#pragma once
// The view of the pasted table. A table its model shows by windows gets a scroll bar of
// its own, over all the table's rows: the model holds the rows that fit on screen, and the
// scroll bar, the wheel and the keys move the window. Otherwise it is a plain table view.

#include <QTableView>

class QScrollBar;
class TTabulkaModel;

class TMrizkaTabulky : public QTableView {
    Q_OBJECT
public:
    TMrizkaTabulky(TTabulkaModel* model, QWidget* rodic);

    // Put it beside the view; it shows only while the table is shown by windows.
    QScrollBar* Posuvnik() const { return posuvnik_; }

protected:
    QModelIndex moveCursor(CursorAction pohyb, Qt::KeyboardModifiers klavesy) override;
    void wheelEvent(QWheelEvent* udalost) override;
    bool viewportEvent(QEvent* udalost) override;

private:
    void Prizpusob(); // the window and the scroll bar to the table and the view's height
    void Posun(int prvni);

    TTabulkaModel* model_;
    QScrollBar* posuvnik_;
    bool klavesou_ = false; // the key moves the cursor itself: the selection stays put
    int sirkaCisel_ = -1;   // the numbers' own least width, while it is raised for a window
};
