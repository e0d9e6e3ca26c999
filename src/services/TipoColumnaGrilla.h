#pragma once
// The descriptor lives with the grid editor now; kept so that older includes still build.
#include "outside/controls/TipoColumnaGrilla.h"
