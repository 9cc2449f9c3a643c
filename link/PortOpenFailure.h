#pragma once
// What the user is told when a port does not open: which port, and why in terms they can act on
// (another program holds it; they lack the rights the serial ports' group grants).
#include <QString>

#include "link/UnCom.h"

QString PortOpenFailureText(const QString& PortName, const ECommError& Error);
