#pragma once
// Desktop notifications (org.freedesktop.Notifications on the session bus) for a failure the
// user does not see coming. Without a bus or a notification service nothing happens.

#include "output/SledovaniUloh.h"

#include <QString>

// The notification's heading and text for a failure.
struct tOznameni {
    QString Nadpis, Text;
};
tOznameni TextOznameni(const tUdalost& udalost);

// Sends it without waiting for the answer.
void Oznam(const tUdalost& udalost);
