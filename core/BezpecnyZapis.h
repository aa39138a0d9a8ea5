#pragma once
// A whole file written so that it is never left half-written: through a temporary file in the
// same directory that is flushed and renamed over the old one.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>

// One write call, with the contract of ::write (bytes written, or -1 and errno). Tests pass
// one that runs out of space; an empty function is ::write itself.
using tZapisDat = std::function<ssize_t(int fd, const char* data, size_t delka)>;

// Writes obsah as the file cesta (through a link, the file it points to), its bytes through
// `zapis`. The old file stays whole on any failure. A write-protected file (not writable by
// the user, or without any write bit) stays as it is. In a folder that refuses new files, a
// file the user may write is rewritten in place. Raises eChyba "Cannot create file %s" or
// "Stream write error".
void ZapisSouborBezpecne(const std::string& cesta, std::string_view obsah,
                         const tZapisDat& zapis = {});
