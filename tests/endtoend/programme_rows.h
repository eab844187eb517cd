// Comparing stored programme rows with the rows the sample site says a correct download stores,
// row for row, with a readable report of the first difference.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/programme_store.h"

namespace zelidor::test {

// The nine columns joined by " | ", a null column shown as <null>.
std::string describe(const ProgrammeRow& row);

// Every row of Programmi in the order it was stored.
std::vector<ProgrammeRow> storedRows(ProgrammeStore& store);

testing::AssertionResult sameRows(const std::vector<ProgrammeRow>& stored,
                                  const std::vector<ProgrammeRow>& expected);

std::uint64_t coverCount(const std::vector<ProgrammeRow>& rows);

}  // namespace zelidor::test
