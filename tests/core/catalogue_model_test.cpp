// The catalogue edits against their model, over ten thousand seeded
// random sequences.
#include <gtest/gtest.h>

#include <random>

#include "catalogue_model.h"

namespace tolvane {
namespace {

void RunSeeds(unsigned first, unsigned last) {
  for (unsigned seed = first; seed <= last && !::testing::Test::HasFailure(); ++seed) {
    std::mt19937 rng(seed);
    model::Sequence([&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); },
                    [&](const std::string& what) { ADD_FAILURE() << "seed " << seed << ": " << what; })
        .Run(12);
  }
}

// Ten thousand sequences, in four parts that can run side by side.
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent1) { RunSeeds(1, 2500); }
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent2) { RunSeeds(2501, 5000); }
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent3) { RunSeeds(5001, 7500); }
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent4) { RunSeeds(7501, 10000); }

}  // namespace
}  // namespace tolvane
