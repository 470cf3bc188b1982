#pragma once

#include "data/database.h"

#include <QTemporaryDir>
#include <memory>

namespace testsupport {

/// A fresh data folder in a temporary directory with ANA.db opened (tables created when
/// asked); removed with everything in it when the object goes.
class TempDb {
public:
    explicit TempDb(bool create = true);
    QString folder() const { return dir_.path(); }
    data::Database& db() { return *db_; }
    /// Closes and opens the database again (to see what is really on disk).
    void reopen();

private:
    QTemporaryDir dir_;
    std::unique_ptr<data::Database> db_;
};

/// The repository's source folder (for fixtures), from TIZGEN_SOURCE_DIR.
QString sourceDir();

}  // namespace testsupport
