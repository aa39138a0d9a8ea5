#pragma once
// A whole file written so that it is never left half-written: through a temporary file in the
// same directory that is flushed and renamed over the old one.

#include <string>
#include <string_view>

// Writes obsah as the file cesta (through a link, the file it points to). The old file stays
// whole on any failure. Raises eChyba "Cannot create file %s" or "Stream write error".
void ZapisSouborBezpecne(const std::string& cesta, std::string_view obsah);

// Test seam for a full disk: when n > 0, the n-th write call of the following file writes
// stores only half of its bytes and every later call fails with "no space". 0 turns it off.
void SimulujPlnyDiskZapisu(int n);
