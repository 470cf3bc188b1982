#pragma once

#include "data/database.h"

namespace bench {

/// Makes the missing tables, then fills the contact table with n plausible Turkish cards (names,
/// firms, addresses, phones, categories) after the seed rows, in one transaction. The same n gives
/// the same cards.
void generateCards(data::Database& db, int n, unsigned seed = 1);

}  // namespace bench
