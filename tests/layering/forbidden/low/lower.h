#pragma once
// Deliberately wrong: a lower layer reaching up.
#include "upper.h"
