#include "engine/Deck.h"
#include "odds/Estimator.h"
#include "odds/Labels.h"
#include "platform/TickCount.h"
#include "res/ResourceIds.h"
#include "ui/CardPickerDialog.h"
#include "ui/HandSteps.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <QApplication>
#include <QCursor>
#include <algorithm>
#include <chrono>

namespace quillory {
namespace {

namespace ids = res::trainer;

// Shows the wait cursor over an estimate once estimates have been seen to
// block the window for a noticeable time (a slow machine, a debug build). An
// estimate normally takes about a millisecond, and a cursor that flickered
// on every click would only distract.
class EstimateCursor {
public:
    EstimateCursor() : m_start(Clock::now()) {
        if (s_slow) {
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
        m_shown = s_slow;
    }
    ~EstimateCursor() {
        const auto elapsed = Clock::now() - m_start;
        if (elapsed > std::chrono::milliseconds(100)) {
            s_slow = true;
        } else if (elapsed < std::chrono::milliseconds(50)) {
            s_slow = false;
        }
        if (m_shown) {
            QApplication::restoreOverrideCursor();
        }
    }
    EstimateCursor(const EstimateCursor&) = delete;
    EstimateCursor& operator=(const EstimateCursor&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    static inline bool s_slow = false;
    Clock::time_point m_start;
    bool m_shown{};
};

// A shuffle seed from the tick count, read anew for each shuffle. The seed is
// the counter less one, taken as a signed 32-bit number.
std::int32_t TickSeed() {
    return static_cast<std::int32_t>(GetTickCount() - 1u);
}

} // namespace

QString HandRow(const Card& first, const Card& second) {
    return QString::fromStdString(CardLabel(first) + ", " + CardLabel(second));
}

void ShowCard(ListView* view, const Card& card) {
    view->InsertItem(0, QString(), CardImageIndex(card));
}

bool PickCards(QWidget* owner, std::int32_t count, std::array<Card, 3>& cards) {
    CCardPickerDialog picker(count, owner);
    if (picker.DoModal() != res::kIdOk) {
        return false;
    }
    picker.GetCard1(cards[0]);
    picker.GetCard2(cards[1]);
    picker.GetCard3(cards[2]);
    return true;
}

void CTrainerDialog::EstimateWinningRate(std::int32_t knownBoard) {
    // The count is 2 to 10 here unless a refused entry was just stored; the
    // estimate then uses the nearest valid count, which the edit also shows.
    m_nPlayers = std::clamp(m_nPlayers, kMinPlayers, kMaxPlayers);
    const std::int32_t trials = TrialCount(m_nPlayers);
    std::int32_t wins = 0;
    {
        EstimateCursor cursor;
        wins = EstimateWins(m_firstCards[0], m_secondCards[0], knownBoard, m_board, m_nPlayers,
                            trials);
    }
    m_strWinningRate = QString::fromStdString(FormatWinningRate(wins, trials));
}

void CTrainerDialog::OnDraw() {
    UpdateData(true);
    ResetHand();
    if (m_bPracticeMode != 0) {
        // One deck for the whole hand: the board first, then each seat's
        // first and second card, seat 0 (the user) first.
        Deck deck;
        deck.Shuffle(TickSeed());
        deck.Shuffle(TickSeed());
        for (Card& card : m_board) {
            deck.Deal(card);
        }
        for (std::size_t seat = 0; seat < m_firstCards.size(); ++seat) {
            deck.Deal(m_firstCards[seat]);
            deck.Deal(m_secondCards[seat]);
        }
    } else {
        std::array<Card, 3> picked;
        if (!PickCards(this, 2, picked)) {
            return;
        }
        m_firstCards[0] = picked[0];
        m_secondCards[0] = picked[1];
    }
    EstimateWinningRate(0);
    m_listHands->InsertItem(0, HandRow(m_firstCards[0], m_secondCards[0]));
    ShowCard(m_listHole1, m_firstCards[0]);
    ShowCard(m_listHole2, m_secondCards[0]);
    EnableItem(ids::kFlop, true);
    RefreshProfit();
}

void CTrainerDialog::OnFlop() {
    UpdateData(true);
    if (m_firstCards.empty()) {
        return;
    }
    if (m_bPracticeMode == 0) {
        std::array<Card, 3> picked;
        if (!PickCards(this, 3, picked)) {
            return;
        }
        std::copy(picked.begin(), picked.end(), m_board.begin());
    }
    EstimateWinningRate(3);
    ShowCard(m_listFlop1, m_board[0]);
    ShowCard(m_listFlop2, m_board[1]);
    ShowCard(m_listFlop3, m_board[2]);
    EnableItem(ids::kFlop, false);
    EnableItem(ids::kTurn, true);
    RefreshProfit();
}

void CTrainerDialog::UncoverBoardCard(std::size_t slot, ListView* view, int done, int next) {
    UpdateData(true);
    if (m_firstCards.empty()) {
        return;
    }
    if (m_bPracticeMode == 0) {
        std::array<Card, 3> picked;
        if (!PickCards(this, 1, picked)) {
            return;
        }
        m_board[slot] = picked[0];
    }
    EstimateWinningRate(static_cast<std::int32_t>(slot) + 1);
    ShowCard(view, m_board[slot]);
    EnableItem(done, false);
    if (next != 0) {
        EnableItem(next, true);
    }
    RefreshProfit();
}

void CTrainerDialog::OnTurn() {
    UncoverBoardCard(3, m_listTurn, ids::kTurn, ids::kRiver);
}

void CTrainerDialog::OnRiver() {
    UncoverBoardCard(4, m_listRiver, ids::kRiver, 0);
}

} // namespace quillory
