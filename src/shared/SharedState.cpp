#include "shared/SharedState.h"
