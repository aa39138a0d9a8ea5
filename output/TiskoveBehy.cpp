#include "TiskoveBehy.h"
// TODO: being written
void TiskniRucne(const tPopisOblepky&, int, const tRucniHodnoty&, const tSluzbyTisku&) {}
void TiskniTabulku(const tPopisOblepky&, int, const tTabulka&, const tSluzbyTisku&) {}
