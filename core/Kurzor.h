#pragma once
// The hourglass cursor for the whole application. The core knows no toolkit: the user
// interface installs the function that really changes the cursor; without one both calls
// do nothing (tests, tools).

using tObsluhaKurzoru = void (*)(bool cekej);

void NastavObsluhuKurzoru(tObsluhaKurzoru obsluha);
void KurzorCekej();
void KurzorNormalni();
