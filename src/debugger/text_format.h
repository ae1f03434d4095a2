// The formatting helpers of the features live with the program's other shared helpers.
#pragma once

#include "base/text_format.h"
