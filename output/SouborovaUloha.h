#pragma once
// A job whose bytes go to a file instead of a queue: exactly what the printer would get.

#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/Soubory.h"
#include "output/TiskovaUloha.h"

#include <functional>
#include <memory>
#include <string>

// The job's file cannot be created or written.
class eSouborUlohy : public eChyba {
public:
    using eChyba::eChyba;
};

class tSouborovaUloha : public tTiskovaUloha {
public:
    // Asked every 20 ms or so while a FIFO has no reader; false stops the wait.
    using tCekani = std::function<bool()>;

    // A regular file (or a new one) is written under a temporary name beside it and put in
    // its place at the end, so it never holds half a job: renamed over it, keeping its mode
    // and owner, or, where the replacement could not keep the owner or the file has other
    // hard links, copied into it. A write-protected one is refused. A device or a FIFO is
    // written as it is; a FIFO without a reader is waited for, asking cekani (none: without
    // end). Raises eSouborUlohy "Cannot create file %s", or tZastaveno when cekani said stop.
    explicit tSouborovaUloha(const std::string& cesta, const tCekani& cekani = {});
    // Without Dokonci, Prerus or Zrus: as Prerus.
    ~tSouborovaUloha() override;
    tSouborovaUloha(const tSouborovaUloha&) = delete;
    tSouborovaUloha& operator=(const tSouborovaUloha&) = delete;

    // Raises eSouborUlohy "Stream write error: <the system's text>".
    void Write(const std::string& data) override;
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
    void Prejmenuj(); // the temporary file in the target's place; raises
    void PrepisCil(); // the temporary file's bytes into the target itself; raises

    int Fd() const { return docasny_ ? docasny_->Fd() : naMiste_.Fd(); }

    std::string cil_;
    std::unique_ptr<tDocasnySoubor> docasny_; // none: written in place
    bool kopirovat_ = false;                  // the temporary file is copied into cilCesta_
    std::string cilCesta_;                    // through a link, the file it points to
    tDeskriptor naMiste_;
    std::string zasobnik_;       // written but not yet in the file (< 64 KiB)
    long long vFajlu_ = 0;       // bytes in the file
    long long celychEtiket_ = 0; // bytes up to the end of the last whole label
    long long etiket_ = 0;       // whole labels
    bool hotovo_ = false;        // ended: the file is in place, or given up
};
