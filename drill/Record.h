#pragma once

#include "drill/Decision.h"
#include "drill/Kind.h"
#include "drill/Spot.h"
#include "drill/TrueValue.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

namespace quillory::drill {

// One answered spot.
struct Answer {
    std::int64_t time{};    // seconds since 1970, UTC
    std::int64_t session{}; // the drill window's run that answered it
    std::string hole;       // "A(S) 10(H)"
    std::string board;      // "K(D) 7(C) 2(H)", empty preflop
    Street street{Street::Preflop};
    int players{2};
    double guess{}; // percent
    double truth{}; // percent
    Method method{Method::Exact};
    // The spot's kind; empty for an earlier answer whose cards do not read.
    std::optional<SpotKind> kind{};
    // Estimate answers hold the guess; call-or-fold answers hold the stake
    // and the decision, a guess of 0 and the equity as `truth`.
    Question question{Question::Estimate};
    Stake stake{};
    std::optional<Decision> decision{};
    // The opponents' range in the normal form of range/HandRange.h, or empty
    // when they held random cards (every answer recorded before ranges).
    std::string opponents{};
};

// The drill's record: every answered spot, in a small SQLite database.
//
// Each answer is written in its own transaction, so a crash or a kill leaves
// the file as it was before or after that answer, and a second running copy
// waits for the other's write (up to two seconds) instead of damaging it.
// A record written before the opponents' range was kept gains its column on
// opening (an empty text: random), every answer kept.
// A file that is not a database, or fails its integrity check, is renamed
// aside ("<name>.damaged-<time>") and a new record begins; a file that cannot
// be opened or written at all leaves the record in memory for this run. Both
// are reported once, through Problem(), never by an exception.
class Record {
public:
    Record() = default;
    ~Record();
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    // Opens (or creates) the record at `path`, creating missing folders.
    void Open(const std::filesystem::path& path);

    // Adds an answer; false (and Problem() set) when it could not be stored,
    // in which case it is kept in memory for this run.
    bool Add(const Answer& answer);

    // Every answer, oldest first.
    const std::vector<Answer>& Answers() const { return m_answers; }
    // Takes a new session number, one more than any answered or taken
    // before. The number is taken inside one write transaction of the stored
    // record, so two windows open at once get two numbers; without a stored
    // record it counts on from the answers in memory.
    std::int64_t NextSession();

    // What went wrong once, in words for the user; empty when nothing did.
    const std::string& Problem() const { return m_problem; }
    bool IsStored() const { return m_db != nullptr; }

private:
    // Checks the opened file and readies its schema. Damaged: the file fails
    // its integrity check or is not a database, and is to be set aside;
    // Unavailable: it cannot be used now (busy, read-only, ...). `reason`
    // holds the check's or the database's words for anything but Ready.
    enum class Preparation { Ready, Damaged, Unavailable };
    Preparation Prepare(std::string& reason);
    void Load();
    void Close();
    void SetAside(const std::filesystem::path& path, const std::string& reason);

    sqlite3* m_db{};
    std::vector<Answer> m_answers;
    std::string m_problem;
    std::int64_t m_lastSession{};
};

// The answers as comma-separated values with a header line.
std::string ToCsv(const std::vector<Answer>& answers);

} // namespace quillory::drill
