#include "core/Enumeration.h"
#include <gtest/gtest.h>
