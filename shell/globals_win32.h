#pragma once
#include "shell/globals.h"

namespace qv {

class TSystemProperties;
class TMutex;

extern TSystemProperties *SystemProperties;
extern TMutex *Mutex;

} // namespace qv
