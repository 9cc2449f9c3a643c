#include "indicators/PortInfo.h"

const TPortInfo EmptyPort;
