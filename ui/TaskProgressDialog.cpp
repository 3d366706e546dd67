#include "ui/TaskProgressDialog.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/ModalSeam.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory {
namespace {

constexpr std::chrono::milliseconds kPollInterval{50};
constexpr std::chrono::milliseconds kNoWait{0};

// The wait cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TaskProgressDialog::TaskProgressDialog(QWidget* owner, const QString& label) : QDialog(owner) {
    setWindowTitle(QString::fromUtf8(res::kMessageTitle.data(),
                                     static_cast<qsizetype>(res::kMessageTitle.size())));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    if (owner != nullptr) {
        setFont(owner->font());
    }

    m_label = new QLabel(label, this);
    m_label->setTextFormat(Qt::PlainText);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setAccessibleName(label);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { reject(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    setMinimumWidth(m_label->sizeHint().width() + 80);
    setFixedHeight(sizeHint().height());

    m_poll.setInterval(kPollInterval);
    connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
}

TaskProgressDialog::~TaskProgressDialog() {
    m_cancelled.store(true);
    StopTask();
}

bool TaskProgressDialog::Run(Task task, std::chrono::milliseconds delay) {
    Progress progress = [this](std::int64_t finished, std::int64_t total) {
        m_done.store(finished, std::memory_order_relaxed);
        m_total.store(total, std::memory_order_relaxed);
        return !m_cancelled.load(std::memory_order_relaxed);
    };
    m_task =
        std::async(std::launch::async, [task = std::move(task), progress = std::move(progress)] {
            return task(progress);
        });
    {
        const WaitCursor cursor;
        m_task.wait_for(delay);
    }
    if (m_task.wait_for(kNoWait) != std::future_status::ready) {
        Poll(); // the bar shows the progress so far; a task that ended just now ends the window
        if (!m_ended) {
            m_poll.start();
            RunModalDialog(*this);
            m_poll.stop();
        }
        if (!m_ended) {
            // The seam returned without an end: a cancel, as for any dialog.
            reject();
        }
    }
    const bool completed = m_task.get();
    return completed && !m_cancelled.load();
}

bool TaskProgressDialog::IsTaskRunning() const {
    return m_task.valid() && m_task.wait_for(kNoWait) != std::future_status::ready;
}

int TaskProgressDialog::Percent() const {
    return m_bar->value();
}

void TaskProgressDialog::reject() {
    if (m_ended) {
        return;
    }
    m_cancelled.store(true);
    m_label->setText(QStringLiteral("Cancelling..."));
    m_cancelButton->setEnabled(false);
    StopTask();
    done(res::kIdCancel);
}

void TaskProgressDialog::done(int result) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_poll.stop();
    QDialog::done(result);
}

void TaskProgressDialog::Poll() {
    const std::int64_t total = m_total.load(std::memory_order_relaxed);
    const std::int64_t finished = m_done.load(std::memory_order_relaxed);
    m_bar->setValue(total > 0 ? static_cast<int>(finished * 100 / total) : 0);
    if (!m_ended && !IsTaskRunning()) {
        done(res::kIdOk);
    }
}

void TaskProgressDialog::StopTask() {
    if (m_task.valid()) {
        m_task.wait();
    }
}

} // namespace quillory
