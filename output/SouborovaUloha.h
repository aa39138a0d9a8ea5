#pragma once
// A job whose bytes go to a file instead of a queue: exactly what the printer would get.

#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/Soubory.h"
#include "output/TiskovaUloha.h"

#include <memory>
#include <string>

// The job's file cannot be created or written.
class eSouborUlohy : public eChyba {
public:
    using eChyba::eChyba;
};

class tSouborovaUloha : public tTiskovaUloha {
public:
    // A regular file (or a new one) is written under a temporary name beside it and renamed
    // over it at the end, so it never holds half a job, and keeps its owner and mode; a
    // write-protected one is refused. A device or a FIFO is written as it is. Raises
    // eSouborUlohy "Cannot create file %s".
    explicit tSouborovaUloha(const std::string& cesta);
    // Without Dokonci, Prerus or Zrus: as Prerus.
    ~tSouborovaUloha() override;
    tSouborovaUloha(const tSouborovaUloha&) = delete;
    tSouborovaUloha& operator=(const tSouborovaUloha&) = delete;

    void Write(const std::string& data) override; // raises eSouborUlohy "Stream write error"
    void Dokonci() override;
    void KonecEtikety() override;
    // After a failed run the file gets the whole labels written before the failure, as the
    // queue does; returns their number, 0 when there is none or the file could not be made
    // (it then stays as it was).
    long long Prerus() noexcept override;
    // Nothing of the job is kept; the file stays as it was.
    void Zrus() noexcept override;

private:
    void Vyprazdni(); // the buffer to the file; raises
    void Prejmenuj(); // the temporary file over the target; raises

    int Fd() const { return docasny_ ? docasny_->Fd() : naMiste_.Fd(); }

    std::string cil_;
    std::unique_ptr<tDocasnySoubor> docasny_; // none: written in place
    tDeskriptor naMiste_;
    std::string zasobnik_;       // written but not yet in the file (< 64 KiB)
    long long vFajlu_ = 0;       // bytes in the file
    long long celychEtiket_ = 0; // bytes up to the end of the last whole label
    long long etiket_ = 0;       // whole labels
    bool hotovo_ = false;        // ended: the file is in place, or given up
};
