#include "drill/RecordSchema.h"

#include "drill/Kind.h"

#include <sqlite3.h>
#include <string_view>
#include <vector>

namespace quillory::drill {
namespace {

struct NewColumn {
    const char* name;
    const char* definition;
};
constexpr NewColumn kNewColumns[] = {
    {"kind", "kind TEXT"},         {"question", "question TEXT NOT NULL DEFAULT 'estimate'"},
    {"pot", "pot INTEGER"},        {"bet", "bet INTEGER"},
    {"decision", "decision TEXT"},
    // The opponents' range in its normal form; '' for random cards.
    {"opponents", "opponents TEXT NOT NULL DEFAULT ''"},
};

std::string Text(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

bool HasColumn(sqlite3* db, std::string_view name) {
    sqlite3_stmt* info = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(db, "PRAGMA table_info(answers)", -1, &info, nullptr) == SQLITE_OK) {
        while (!found && sqlite3_step(info) == SQLITE_ROW) {
            found = Text(info, 1) == name;
        }
    }
    sqlite3_finalize(info);
    return found;
}

bool Run(sqlite3* db, const std::string& sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        error = message != nullptr ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        return false;
    }
    return true;
}

struct Derived {
    sqlite3_int64 id{};
    std::string kind;
};

// The kinds of the answers that have none, from their cards.
std::vector<Derived> KindsToFill(sqlite3* db) {
    std::vector<Derived> rows;
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT id, hole, board, street, players FROM answers"
                           " WHERE kind IS NULL",
                           -1, &query, nullptr) != SQLITE_OK) {
        return rows;
    }
    while (sqlite3_step(query) == SQLITE_ROW) {
        const std::optional<Street> street = StreetFromName(Text(query, 3));
        const std::optional<Spot> spot =
            street ? SpotOfAnswerCards(Text(query, 1), Text(query, 2), *street,
                                       sqlite3_column_int(query, 4))
                   : std::nullopt;
        if (spot) {
            rows.push_back(
                Derived{sqlite3_column_int64(query, 0), std::string(KindName(KindOf(*spot)))});
        }
    }
    sqlite3_finalize(query);
    return rows;
}

} // namespace

bool MigrateAnswers(sqlite3* db, std::string& error) {
    const auto current = [db] {
        for (const NewColumn& column : kNewColumns) {
            if (!HasColumn(db, column.name)) {
                return false;
            }
        }
        return KindsToFill(db).empty();
    };
    if (current()) {
        return true; // nothing to write: a read-only record still opens
    }
    // One write transaction for the look and the change, so two copies
    // opening an earlier record at once do not both add a column.
    if (!Run(db, "BEGIN IMMEDIATE", error)) {
        return false;
    }
    bool done = true;
    for (const NewColumn& column : kNewColumns) {
        if (done && !HasColumn(db, column.name)) {
            done =
                Run(db, std::string("ALTER TABLE answers ADD COLUMN ") + column.definition, error);
        }
    }
    sqlite3_stmt* update = nullptr;
    if (done) {
        done = sqlite3_prepare_v2(db, "UPDATE answers SET kind = ? WHERE id = ?", -1, &update,
                                  nullptr) == SQLITE_OK;
    }
    for (const Derived& row : done ? KindsToFill(db) : std::vector<Derived>()) {
        sqlite3_reset(update);
        sqlite3_bind_text(update, 1, row.kind.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 2, row.id);
        if (sqlite3_step(update) != SQLITE_DONE) {
            done = false;
            error = sqlite3_errmsg(db);
            break;
        }
    }
    sqlite3_finalize(update);
    std::string ignored;
    return Run(db, done ? "COMMIT" : "ROLLBACK", done ? error : ignored) && done;
}

} // namespace quillory::drill
