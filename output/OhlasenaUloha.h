#pragma once
// A job that says when it has reached the server whole, so that it can be followed to its
// end. A job the user stopped (Zrus) is announced apart: a server slow at that moment may
// have had its document whole before the cancel came, and then it prints all the same.

#include "output/TiskovaUloha.h"

#include <functional>
#include <memory>

class tOhlasenaUloha : public tTiskovaUloha {
public:
    // odeslana is called with id once the document is ended with something to print,
    // zastavena once the user has stopped it, saying whether it prints all the same (its
    // cancel did not reach it after its release).
    tOhlasenaUloha(std::unique_ptr<tTiskovaUloha> uloha, int id, std::function<void(int)> odeslana,
                   std::function<void(int, bool vytiskne)> zastavena = nullptr)
        : uloha_(std::move(uloha)), id_(id), odeslana_(std::move(odeslana)),
          zastavena_(std::move(zastavena)) {}

    void Write(const std::string& data) override { uloha_->Write(data); }
    void KonecEtikety() override { uloha_->KonecEtikety(); }
    void PisEtikety(std::string_view bajty, std::span<const size_t> konce) override {
        uloha_->PisEtikety(bajty, konce);
    }
    std::string* MistoProEtiketu(size_t nejvic) override { return uloha_->MistoProEtiketu(nejvic); }
    void Dokonci() override {
        uloha_->Dokonci();
        Ohlas();
    }
    long long Prerus() noexcept override {
        const long long pocet = uloha_->Prerus();
        if (pocet > 0)
            Ohlas();
        return pocet;
    }
    void Zrus() noexcept override {
        uloha_->Zrus();
        if (zastavena_)
            zastavena_(id_, uloha_->PoStornu() > 0);
    }
    long long PoStornu() const noexcept override { return uloha_->PoStornu(); }

private:
    void Ohlas() noexcept {
        if (odeslana_)
            odeslana_(id_);
    }

    std::unique_ptr<tTiskovaUloha> uloha_;
    int id_;
    std::function<void(int)> odeslana_;
    std::function<void(int, bool)> zastavena_;
};
