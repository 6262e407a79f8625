#pragma once
// The number helpers live in the floor beneath the platform layers; this name stays for
// code written against it.
#include "platform/base/numeric.h"  // IWYU pragma: export
