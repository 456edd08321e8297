#include "core/FilterSettings.h"
#include <gtest/gtest.h>
