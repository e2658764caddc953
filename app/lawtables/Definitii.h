#pragma once
// The five law tables as data.

#include "lawtables/LawTableDef.h"

namespace lawtable {
const Definitie& Art80();
const Definitie& Art85();
const Definitie& Art93_4();
const Definitie& L116();
const Definitie& L72();
} // namespace lawtable
