#include "drill/Record.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>
#include <system_error>

namespace quillory::drill {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS answers ("
    " id INTEGER PRIMARY KEY, time INTEGER NOT NULL, session INTEGER NOT NULL,"
    " hole TEXT NOT NULL, board TEXT NOT NULL, street TEXT NOT NULL,"
    " players INTEGER NOT NULL, guess REAL NOT NULL, truth REAL NOT NULL,"
    " method TEXT NOT NULL)";

// SQLite takes file names in UTF-8 on every system.
std::string Utf8(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

// Runs statements that return no rows; false with the database's message.
bool Execute(sqlite3* db, const char* sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        error = message != nullptr ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        return false;
    }
    return true;
}

// Columns added since the first record, each with the value its old answers
// take; added in place by Prepare, so an older file keeps every answer.
struct AddedColumn {
    const char* name;
    const char* definition;
};
constexpr AddedColumn kAddedColumns[] = {
    {"opponents", "opponents TEXT NOT NULL DEFAULT ''"},
};

std::string Column(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

} // namespace

Record::~Record() {
    Close();
}

void Record::Close() {
    if (m_db != nullptr) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

void Record::Open(const std::filesystem::path& path) {
    Close();
    m_answers.clear();
    m_problem.clear();
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (sqlite3_open_v2(Utf8(path).c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        m_problem = "Your record could not be opened (" + std::string(sqlite3_errmsg(m_db)) +
                    "); answers are kept until Quillory closes.";
        Close();
        return;
    }
    sqlite3_busy_timeout(m_db, 2000);
    std::string reason;
    const Preparation prepared = Prepare(reason);
    if (prepared == Preparation::Ready) {
        Load();
        return;
    }
    Close();
    if (prepared == Preparation::Damaged) {
        SetAside(path, reason);
        std::string again;
        if (sqlite3_open_v2(Utf8(path).c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) == SQLITE_OK &&
            Prepare(again) == Preparation::Ready) {
            return;
        }
        Close();
    }
    if (m_problem.empty()) {
        m_problem = "Your record could not be opened (" + reason +
                    "); answers are kept until Quillory closes.";
    }
}

Record::Preparation Record::Prepare(std::string& reason) {
    // A result code that means the file itself is broken, not just busy.
    const auto damaged = [](int code) {
        return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB;
    };
    // The database's own words for `code`, taken before another statement runs.
    const auto failed = [&](int code) {
        reason = sqlite3_errmsg(m_db);
        return damaged(code) ? Preparation::Damaged : Preparation::Unavailable;
    };
    sqlite3_stmt* check = nullptr;
    if (const int code = sqlite3_prepare_v2(m_db, "PRAGMA quick_check", -1, &check, nullptr);
        code != SQLITE_OK) {
        return failed(code);
    }
    const int code = sqlite3_step(check);
    const std::string verdict = code == SQLITE_ROW ? Column(check, 0) : std::string();
    if (code != SQLITE_ROW) {
        const Preparation outcome = failed(code);
        sqlite3_finalize(check);
        return outcome;
    }
    sqlite3_finalize(check);
    if (verdict != "ok") {
        // The check names the first fault it found ("Rowid out of order ...").
        reason = verdict;
        return Preparation::Damaged;
    }
    // Write-ahead logging: a reader never waits for a writer, and an answer
    // costs one append to the log. A killed process leaves the log, which the
    // next open applies; a system that cannot share memory between copies
    // keeps the ordinary rollback journal (the pragma then just fails).
    std::string ignored;
    Execute(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", ignored);
    if (!Execute(m_db, kSchema, reason) || !AddColumns(reason)) {
        return damaged(sqlite3_errcode(m_db)) ? Preparation::Damaged : Preparation::Unavailable;
    }
    return Preparation::Ready;
}

bool Record::AddColumns(std::string& reason) {
    std::vector<std::string> present;
    sqlite3_stmt* info = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA table_info(answers)", -1, &info, nullptr) != SQLITE_OK) {
        reason = sqlite3_errmsg(m_db);
        return false;
    }
    while (sqlite3_step(info) == SQLITE_ROW) {
        present.push_back(Column(info, 1));
    }
    sqlite3_finalize(info);
    for (const AddedColumn& column : kAddedColumns) {
        if (std::find(present.begin(), present.end(), column.name) == present.end() &&
            !Execute(m_db,
                     ("ALTER TABLE answers ADD COLUMN " + std::string(column.definition)).c_str(),
                     reason)) {
            return false;
        }
    }
    return true;
}

void Record::SetAside(const std::filesystem::path& path, const std::string& reason) {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::filesystem::path aside = path;
    aside += ".damaged-" + std::to_string(static_cast<long long>(now));
    std::error_code error;
    std::filesystem::rename(path, aside, error);
    if (!error) {
        // The log and its index belong to the damaged file: left in place they
        // would be applied to the new record that takes its name.
        for (const char* part : {"-wal", "-shm"}) {
            std::filesystem::path from = path;
            std::filesystem::path to = aside;
            from += part;
            to += part;
            std::error_code ignored;
            std::filesystem::rename(from, to, ignored);
        }
    }
    m_problem = error ? "Your record is damaged (" + reason + ") and could not be set aside."
                      : "Your record was damaged (" + reason + "); it was kept as \"" +
                            aside.filename().string() + "\" and a new one begins.";
}

void Record::Load() {
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(m_db,
                           "SELECT time, session, hole, board, street, players, guess, truth,"
                           " method, opponents FROM answers ORDER BY id",
                           -1, &query, nullptr) != SQLITE_OK) {
        return;
    }
    while (sqlite3_step(query) == SQLITE_ROW) {
        Answer answer;
        answer.time = sqlite3_column_int64(query, 0);
        answer.session = sqlite3_column_int64(query, 1);
        answer.hole = Column(query, 2);
        answer.board = Column(query, 3);
        answer.street = StreetFromName(Column(query, 4)).value_or(Street::Preflop);
        answer.players = sqlite3_column_int(query, 5);
        answer.guess = sqlite3_column_double(query, 6);
        answer.truth = sqlite3_column_double(query, 7);
        answer.method = Column(query, 8) == "exact" ? Method::Exact : Method::MonteCarlo;
        answer.opponents = Column(query, 9);
        m_answers.push_back(std::move(answer));
    }
    sqlite3_finalize(query);
}

bool Record::Add(const Answer& answer) {
    m_answers.push_back(answer);
    if (m_db == nullptr) {
        return false;
    }
    sqlite3_stmt* insert = nullptr;
    bool stored = sqlite3_prepare_v2(m_db,
                                     "INSERT INTO answers (time, session, hole, board, street,"
                                     " players, guess, truth, method, opponents)"
                                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                                     -1, &insert, nullptr) == SQLITE_OK;
    if (stored) {
        const std::string street(StreetName(answer.street));
        sqlite3_bind_int64(insert, 1, answer.time);
        sqlite3_bind_int64(insert, 2, answer.session);
        sqlite3_bind_text(insert, 3, answer.hole.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, answer.board.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, street.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 6, answer.players);
        sqlite3_bind_double(insert, 7, answer.guess);
        sqlite3_bind_double(insert, 8, answer.truth);
        sqlite3_bind_text(insert, 9, answer.method == Method::Exact ? "exact" : "estimate", -1,
                          SQLITE_STATIC);
        sqlite3_bind_text(insert, 10, answer.opponents.c_str(), -1, SQLITE_TRANSIENT);
        stored = sqlite3_step(insert) == SQLITE_DONE;
    }
    sqlite3_finalize(insert);
    if (!stored && m_problem.empty()) {
        m_problem = "Your answer could not be saved (" + std::string(sqlite3_errmsg(m_db)) +
                    "); answers are kept until Quillory closes.";
    }
    return stored;
}

std::int64_t Record::NextSession() const {
    std::int64_t last = 0;
    for (const Answer& answer : m_answers) {
        last = std::max(last, answer.session);
    }
    return last + 1;
}

std::string ToCsv(const std::vector<Answer>& answers) {
    std::string csv = "time,session,hole,board,street,players,guess,truth,method,error\n";
    for (const Answer& a : answers) {
        csv += std::to_string(a.time) + "," + std::to_string(a.session) + "," + a.hole + "," +
               a.board + "," + std::string(StreetName(a.street)) + "," + std::to_string(a.players) +
               "," + FixedText(a.guess, 2) + "," + FixedText(a.truth, 2) + "," +
               (a.method == Method::Exact ? "exact" : "estimate") + "," +
               FixedText(a.guess - a.truth, 2) + "\n";
    }
    return csv;
}

} // namespace quillory::drill
