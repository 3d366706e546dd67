#pragma once

#include "drill/Spot.h"
#include "drill/TrueValue.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>

namespace quillory {

// Works out true values on a background thread, so the window stays
// responsive while an enumeration or a long Monte Carlo run goes on.
//
// Start() hands out increasing job numbers; Ready(job, value) follows on the
// thread that owns this object, once per job, in any order, and after it
// Explained(job, text) with the spot's explanation (drill/Why.h), worked out
// on the same thread once the value is in. A job that is
// no longer wanted simply has its result ignored by the caller (a running
// computation cannot be stopped; one still waiting in the queue is dropped
// when a newer job starts, and then never reports). The destructor waits for
// the job that is running.
class TrueValueJob : public QObject {
    Q_OBJECT

public:
    using Compute = std::function<drill::TrueValue(const drill::Spot&)>;

    // `compute` defaults to drill::ComputeAnyTrueValue (random cards or the
    // spot's range); tests pass their own.
    explicit TrueValueJob(QObject* parent = nullptr, Compute compute = {});
    ~TrueValueJob() override;
    TrueValueJob(const TrueValueJob&) = delete;
    TrueValueJob& operator=(const TrueValueJob&) = delete;

    int Start(const drill::Spot& spot);

signals:
    void Ready(int job, const drill::TrueValue& value);
    void Explained(int job, const QString& text);

private:
    Compute m_compute;
    QThreadPool m_pool;
    int m_lastJob{};
};

} // namespace quillory
