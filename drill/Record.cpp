#include "drill/Record.h"

#include "drill/RecordSchema.h"
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

// Every session number ever taken, so that a window that has not answered
// yet still holds its number; made by the first NextSession().
constexpr const char* kSessionSchema =
    "CREATE TABLE IF NOT EXISTS sessions (id INTEGER PRIMARY KEY)";

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
std::string Column(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

// The kind, the question and the call-or-fold columns, from `first` on;
// what an answer does not have is left empty (NULL).
void BindTeaching(sqlite3_stmt* insert, int first, const Answer& answer) {
    if (answer.kind) {
        sqlite3_bind_text(insert, first, KindName(*answer.kind).data(),
                          static_cast<int>(KindName(*answer.kind).size()), SQLITE_STATIC);
    }
    const bool call = answer.question == Question::CallOrFold;
    sqlite3_bind_text(insert, first + 1, call ? "call or fold" : "estimate", -1, SQLITE_STATIC);
    if (call) {
        sqlite3_bind_int(insert, first + 2, answer.stake.pot);
        sqlite3_bind_int(insert, first + 3, answer.stake.bet);
    }
    if (answer.decision) {
        sqlite3_bind_text(insert, first + 4, DecisionName(*answer.decision).data(), -1,
                          SQLITE_STATIC);
    }
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
    if (!Execute(m_db, kSchema, reason) || !MigrateAnswers(m_db, reason)) {
        return damaged(sqlite3_errcode(m_db)) ? Preparation::Damaged : Preparation::Unavailable;
    }
    return Preparation::Ready;
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
                           " method, kind, question, pot, bet, decision, opponents"
                           " FROM answers ORDER BY id",
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
        answer.kind = KindFromName(Column(query, 9));
        answer.question =
            Column(query, 10) == "call or fold" ? Question::CallOrFold : Question::Estimate;
        answer.stake = Stake{sqlite3_column_int(query, 11), sqlite3_column_int(query, 12)};
        answer.decision = DecisionFromName(Column(query, 13));
        answer.opponents = Column(query, 14);
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
                                     " players, guess, truth, method, kind, question, pot, bet,"
                                     " decision, opponents)"
                                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
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
        BindTeaching(insert, 10, answer);
        sqlite3_bind_text(insert, 15, answer.opponents.c_str(), -1, SQLITE_TRANSIENT);
        stored = sqlite3_step(insert) == SQLITE_DONE;
    }
    sqlite3_finalize(insert);
    if (!stored && m_problem.empty()) {
        m_problem = "Your answer could not be saved (" + std::string(sqlite3_errmsg(m_db)) +
                    "); answers are kept until Quillory closes.";
    }
    return stored;
}

std::int64_t Record::NextSession() {
    std::int64_t last = m_lastSession;
    for (const Answer& answer : m_answers) {
        last = std::max(last, answer.session);
    }
    std::string ignored;
    // BEGIN IMMEDIATE takes the write lock before the read, so no other copy
    // can take the same number between the two.
    if (m_db != nullptr && Execute(m_db, "BEGIN IMMEDIATE", ignored)) {
        sqlite3_stmt* query = nullptr;
        if (Execute(m_db, kSessionSchema, ignored) &&
            sqlite3_prepare_v2(m_db,
                               "SELECT max(ifnull((SELECT max(session) FROM answers), 0),"
                               " ifnull((SELECT max(id) FROM sessions), 0))",
                               -1, &query, nullptr) == SQLITE_OK &&
            sqlite3_step(query) == SQLITE_ROW) {
            last = std::max<std::int64_t>(last, sqlite3_column_int64(query, 0));
        }
        sqlite3_finalize(query);
        const std::string take =
            "INSERT INTO sessions (id) VALUES (" + std::to_string(last + 1) + ")";
        Execute(m_db, Execute(m_db, take.c_str(), ignored) ? "COMMIT" : "ROLLBACK", ignored);
    }
    m_lastSession = last + 1;
    return m_lastSession;
}

std::string ToCsv(const std::vector<Answer>& answers) {
    std::string csv = "time,session,hole,board,street,players,guess,truth,method,error,kind,"
                      "question,pot,bet,decision\n";
    for (const Answer& a : answers) {
        const bool call = a.question == Question::CallOrFold;
        csv += std::to_string(a.time) + "," + std::to_string(a.session) + "," + a.hole + "," +
               a.board + "," + std::string(StreetName(a.street)) + "," + std::to_string(a.players) +
               "," + FixedText(a.guess, 2) + "," + FixedText(a.truth, 2) + "," +
               (a.method == Method::Exact ? "exact" : "estimate") + "," +
               FixedText(a.guess - a.truth, 2) + "," +
               (a.kind ? std::string(KindName(*a.kind)) : std::string()) + "," +
               (call ? "call or fold," + std::to_string(a.stake.pot) + "," +
                           std::to_string(a.stake.bet) + "," +
                           (a.decision ? std::string(DecisionName(*a.decision)) : std::string())
                     : std::string("estimate,,,")) +
               "\n";
    }
    return csv;
}

} // namespace quillory::drill
