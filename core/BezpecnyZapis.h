#pragma once
// A whole file written so that it is never left half-written: through a temporary file in the
// same directory that is flushed and renamed over the old one.

#include "core/Soubory.h"

#include <string>
#include <string_view>

// Writes obsah as the file cesta (through a link, the file it points to), its bytes through
// `zapis`. The old file stays whole on any failure. A write-protected file (not writable by
// the user, or without any write bit) stays as it is. In a folder that refuses new files, a
// file the user may write is rewritten in place. A FIFO or a device is written in place, a
// FIFO without a reader refused. Raises eChyba "Cannot create file %s" or "Stream write error".
void ZapisSouborBezpecne(const std::string& cesta, std::string_view obsah,
                         const tZapisDat& zapis = {});
