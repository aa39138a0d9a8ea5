#include "Kurzor.h"

namespace {
tObsluhaKurzoru obsluha_ = nullptr;
}

void NastavObsluhuKurzoru(tObsluhaKurzoru obsluha) {
    obsluha_ = obsluha;
}

void KurzorCekej() {
    if (obsluha_)
        obsluha_(true);
}

void KurzorNormalni() {
    if (obsluha_)
        obsluha_(false);
}
