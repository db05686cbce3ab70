// Statement texts. Names are stored as UTF-8 twice: as written, and folded to upper case for matching.
#include "ntdll/Sql.h"

namespace ntdll {

namespace {

const char* const kStatements[] = {
    "BEGIN",
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2",
    "SELECT parent, name, class, last_write FROM keys WHERE id = ?1",
    "INSERT INTO keys(parent, name, folded, class, last_write) VALUES (?1, ?2, ?3, ?4, ?5)",
    "UPDATE keys SET last_write = ?2 WHERE id = ?1",
    "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1",
    "DELETE FROM keys WHERE id = ?1",
    "DELETE FROM vals WHERE key_id = ?1",
    "UPDATE keys SET name = ?2, folded = ?3, last_write = ?4 WHERE id = ?1",
    "SELECT id, name, class, last_write FROM keys WHERE parent = ?1 ORDER BY folded LIMIT 1 OFFSET ?2",
    "SELECT name, class FROM keys WHERE parent = ?1",
    "SELECT v.type, v.data, v.name, v.id FROM keys k LEFT JOIN vals v ON v.key_id = k.id AND v.folded = ?2 "
    "WHERE k.id = ?1",
    "SELECT name, type, data FROM vals WHERE key_id = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
    "SELECT name, length(data) FROM vals WHERE key_id = ?1",
    "INSERT INTO vals(key_id, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5)",
    "UPDATE vals SET type = ?2, data = ?3 WHERE id = ?1",
    "DELETE FROM vals WHERE key_id = ?1 AND folded = ?2",
};

static_assert(sizeof(kStatements) / sizeof(kStatements[0]) == static_cast<int>(Sql::Count),
              "one text per statement identifier");

}  // namespace

const char* SqlText::of(Sql id) { return kStatements[static_cast<int>(id)]; }

const char* SqlText::formatMarker() { return "vesper-registry-hive"; }

const char* SqlText::schema() {
  return "CREATE TABLE hive_info(name TEXT PRIMARY KEY, value) WITHOUT ROWID;"
         "INSERT INTO hive_info VALUES ('format', 'vesper-registry-hive'), ('version', 1);"
         // AUTOINCREMENT keeps the identifiers of deleted keys from being reused, so a handle to a
         // deleted key can never reach a newer key.
         "CREATE TABLE keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER, name TEXT NOT NULL,"
         " folded TEXT NOT NULL, class BLOB, last_write INTEGER NOT NULL);"
         "CREATE UNIQUE INDEX keys_by_name ON keys(parent, folded);"
         "CREATE TABLE vals(id INTEGER PRIMARY KEY, key_id INTEGER NOT NULL, name TEXT NOT NULL,"
         " folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL);"
         "CREATE UNIQUE INDEX vals_by_name ON vals(key_id, folded);"
         // Values enumerate in the order they were first written, as this index lists them.
         "CREATE INDEX vals_in_order ON vals(key_id);";
}

}  // namespace ntdll
