#include "ui/drill/TrueValueJob.h"

#include "drill/RangeSpot.h"
#include "drill/Why.h"

#include <QMetaObject>

namespace quillory {

TrueValueJob::TrueValueJob(QObject* parent, Compute compute)
    : QObject(parent),
      m_compute(compute ? std::move(compute) : Compute(&drill::ComputeAnyTrueValue)) {
    // One at a time: a spot the user skipped must not slow down the next one.
    m_pool.setMaxThreadCount(1);
}

TrueValueJob::~TrueValueJob() {
    m_pool.clear();
    m_pool.waitForDone();
}

int TrueValueJob::Start(const drill::Spot& spot) {
    const int job = ++m_lastJob;
    m_pool.clear();
    m_pool.start([this, job, spot] {
        const drill::TrueValue value = m_compute(spot);
        QMetaObject::invokeMethod(
            this, [this, job, value] { emit Ready(job, value); }, Qt::QueuedConnection);
        const QString why = QString::fromStdString(drill::Explain(spot));
        QMetaObject::invokeMethod(
            this, [this, job, why] { emit Explained(job, why); }, Qt::QueuedConnection);
    });
    return job;
}

} // namespace quillory
