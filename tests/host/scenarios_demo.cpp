#include "tests/host/rig.h"
