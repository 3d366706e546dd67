#pragma once

#include <string>

struct sqlite3;

namespace quillory::drill {

// Brings the answers table of an open record up to date in place: each
// column this version reads that the file lacks is added (ALTER TABLE ...
// ADD COLUMN, looked up in PRAGMA table_info first, so a file any version
// wrote opens), and columns that can be derived from an answer's cards are
// filled for answers that lack them. Every earlier answer is kept. False
// with the database's words in `error` when a step fails; nothing is then
// changed. The look and the change are one write transaction, so two copies
// opening an earlier record at the same time change it once; a record that
// needs nothing is not written to at all.
//
// Columns: kind (the spot's kind, drill/Kind.h, from the cards; empty when
// they do not read), question ('estimate' for every earlier answer), and pot,
// bet and decision (call-or-fold answers only; empty otherwise).
bool MigrateAnswers(sqlite3* db, std::string& error);

} // namespace quillory::drill
