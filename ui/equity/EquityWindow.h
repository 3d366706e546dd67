#pragma once

#include "engine/Card.h"
#include "ui/equity/EquityRun.h"

#include <QDialog>
#include <QThread>
#include <array>
#include <atomic>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace quillory {

class EquityPicture;

inline constexpr int kMaxEquityPlayers = 10;

// "Equity Calculator": 2 to 10 players, each a field taking two cards or a
// range (empty: random cards) with a button that opens the range editor; the
// known board and the dead cards, typed or picked. Calculate works in the
// background (ComputeEquity) with a progress bar and Stop; the window stays
// responsive. A bad field is marked where it is, with the core's message, and
// nothing is computed.
//
// The results per player are labels named for a screen reader as
// "Player 1 equity: 34.59%", "Player 1 win: ...", "Player 1 tie: ...",
// "Player 1 combos: 4", "Player 1 found: exact" (or "± 0.08"). The picture
// shows one player's range coloured by each class's equity.
class EquityWindow : public QDialog {
    Q_OBJECT

public:
    // `compute` replaces the range engine (tests); by default ComputeEquity.
    using Compute = std::function<EquityAnswer(const EquityQuestion&, const std::atomic<bool>&,
                                               const std::function<void(double)>&)>;
    explicit EquityWindow(QWidget* parent = nullptr, Compute compute = {});
    ~EquityWindow() override;

    // Starts from a hand: the user's two cards as Player 1 (when both are
    // real), the known board, `players` seats, the others random.
    void StartFrom(const std::array<Card, 2>& hole, const std::vector<Card>& board, int players);

    void SetPlayers(int players);
    // Reads every field; false (with the fields marked) when one is bad.
    bool Calculate();
    void Stop();
    bool IsRunning() const { return m_thread != nullptr; }
    const EquityAnswer& Answer() const { return m_answer; }
    bool SavePicture();
    void OpenRangeEditor(int seat);

    QSpinBox* m_players{};
    std::array<QLineEdit*, kMaxEquityPlayers> m_seats{};
    std::array<QPushButton*, kMaxEquityPlayers> m_rangeButtons{};
    std::array<QLabel*, kMaxEquityPlayers> m_seatErrors{};
    // Per seat: equity, win, tie, combos, how found.
    std::array<std::array<QLabel*, 5>, kMaxEquityPlayers> m_results{};
    QLineEdit* m_board{};
    QLineEdit* m_dead{};
    QLabel* m_boardError{};
    QPushButton* m_pickBoard{};
    QPushButton* m_pickDead{};
    QPushButton* m_calculate{};
    QPushButton* m_stop{};
    QProgressBar* m_progress{};
    QLabel* m_status{};
    QComboBox* m_pictureSeat{};
    EquityPicture* m_picture{};
    QPushButton* m_savePicture{};

signals:
    void Finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QWidget* BuildSeats();
    QWidget* BuildCards();
    QWidget* BuildResults();
    bool ReadQuestion(EquityQuestion& question);
    void Mark(QLineEdit* field, QLabel* label, const QString& error);
    void ShowAnswer();
    void ShowPicture();
    void ClearResults();
    void PickCards(QLineEdit* field, int most);
    void OnDone(const EquityAnswer& answer);

    Compute m_compute;
    QThread* m_thread{};
    std::shared_ptr<std::atomic<bool>> m_stopFlag;
    EquityAnswer m_answer;
    int m_answerSeats{};
};

} // namespace quillory
