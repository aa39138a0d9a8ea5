#pragma once
// The rows of a table file read and converted on a thread of their own, a batch ahead of the
// run that makes labels of them: reading, making and sending overlap. One batch at a time is
// handed over, so memory stays bounded whatever the table's length.

#include "output/ZdrojRadku.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class tRadkyNapred : public tZdrojRadku {
public:
    // Reads zdroj (it must outlive this object, and nobody else may use it meanwhile) from
    // NaZacatek on; keeps each row's cells from column 0 up to column sloupcu - 1, the
    // cells further right read as "". An error of zdroj comes out of Dalsi after the rows
    // before it, as from zdroj itself.
    tRadkyNapred(tZdrojRadku& zdroj, size_t sloupcu);
    ~tRadkyNapred() override; // the thread stopped and joined
    tRadkyNapred(const tRadkyNapred&) = delete;
    tRadkyNapred& operator=(const tRadkyNapred&) = delete;

    void NaZacatek() override;
    bool Dalsi() override;
    std::string_view Bunka(int sloupec) const override;
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override;

private:
    // Rows one after another: the cells' bytes back to back, where each cell ends, and where
    // each row's cells start in konce.
    struct tDavka {
        std::string bajty;
        std::vector<size_t> konce, radky;
        bool posledni = false;    // no batch after it
        std::exception_ptr chyba; // raised after its rows
    };

    void Cti();                 // the thread
    void Zastav();              // stops the thread and waits for it
    bool Predej(tDavka& davka); // waits while a batch is handed over; false: stop asked
    tDavka Prazdna();           // a batch the run is done with, emptied, or a new one
    size_t Bunek() const;       // of the current row

    tZdrojRadku& zdroj_;
    size_t sloupcu_;
    std::mutex zamek_;
    std::condition_variable zmena_;
    std::optional<tDavka> predana_; // handed over by the thread, not yet taken
    std::optional<tDavka> vracena_; // the run's last batch, back for the thread to refill
    bool zastavit_ = false;
    std::thread vlakno_;
    // The run's side: its batch and its current row (radek_ - 1; 0: before the first).
    tDavka davka_;
    size_t radek_ = 0;
};
