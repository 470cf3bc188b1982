#include "tests/support/tempdb.h"

namespace testsupport {

TempDb::TempDb(bool create) : db_(std::make_unique<data::Database>(dir_.path())) {
    if (create)
        db_->createMissingTables();
}

void TempDb::reopen() {
    db_.reset();
    db_ = std::make_unique<data::Database>(dir_.path());
}

QString sourceDir() {
    return qEnvironmentVariable("TIZGEN_SOURCE_DIR");
}

}  // namespace testsupport
