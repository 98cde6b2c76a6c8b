#pragma once
// Registers on a connection the Unicode-aware text functions ("unicode_version", "like", "fold",
// "lower", "upper", "title", "unaccent") and the NOCASE collation for UTF-8 and UTF-16 text, in
// place of SQLite's own ASCII-only ones. Returns an SQLite result code: the first registration
// that fails, else the result of the last one.
struct sqlite3;

namespace DataBase {

int registerUnicodeFunctions(sqlite3* handle);

} // namespace DataBase
