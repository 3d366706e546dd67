#pragma once

#include <QDialog>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quillory {

// Runs a long task on a background thread while the user-interface thread
// waits for it, the way a handler that "blocks the window" would, but with a
// way out:
//   - for the first `delay` the window only shows a wait cursor, so a task
//     that ends within a moment shows nothing else;
//   - a task still running after that gets this modal window (a label, a
//     progress bar and "Cancel"), run through the modal seam, so tests
//     script it like any other dialog and nothing ever waits on a real one.
//
// The task reports (done, total) through the callback it is given, from any
// one thread, and must stop soon once that callback returns false, which it
// does from the moment the user cancels. Cancel, Esc and the close box
// cancel; so does a seam that returns without ending the window.
class TaskProgressDialog : public QDialog {
    Q_OBJECT

public:
    using Progress = std::function<bool(std::int64_t done, std::int64_t total)>;
    // Returns true when it did all its work.
    using Task = std::function<bool(const Progress& progress)>;

    static constexpr std::chrono::milliseconds kDefaultDelay{500};

    TaskProgressDialog(QWidget* owner, const QString& label);
    // Cancels a task that is still running and waits for it.
    ~TaskProgressDialog() override;
    TaskProgressDialog(const TaskProgressDialog&) = delete;
    TaskProgressDialog& operator=(const TaskProgressDialog&) = delete;

    // Runs the task to its end; call once. True when the task did all its
    // work and the user did not cancel. An exception thrown by the task
    // passes through (after the window has closed).
    bool Run(Task task, std::chrono::milliseconds delay = kDefaultDelay);

    // While the window is open (scripts): whether the task is still going,
    // whether the window has ended, and what the bar shows (0 to 100).
    bool IsTaskRunning() const;
    bool IsEnded() const { return m_ended; }
    int Percent() const;
    QPushButton* CancelButton() const { return m_cancelButton; }

    // Cancel: asks the task to stop, waits until it has, ends with kIdCancel.
    void reject() override;
    void done(int result) override;

private:
    void Poll();
    void StopTask();

    QLabel* m_label{};
    QProgressBar* m_bar{};
    QPushButton* m_cancelButton{};
    QTimer m_poll;
    std::future<bool> m_task;
    std::atomic<bool> m_cancelled{false};
    std::atomic<std::int64_t> m_done{0};
    std::atomic<std::int64_t> m_total{0};
    bool m_ended{};
};

} // namespace quillory
