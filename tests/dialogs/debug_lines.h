#pragma once

#include "../support/debug_lines.h"
