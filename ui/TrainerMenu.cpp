// The main window's hidden export button and its own menu entries beside Help
// and About: the call advisor, the hand statistics, the estimating drill and
// the equity calculator, in the context menu (right-click, the menu key,
// Shift+F10).
#include "report/HandStatistics.h"
#include "ui/CallAdvisorDialog.h"
#include "ui/HandStatisticsExport.h"
#include "ui/TrainerDialog.h"
#include "ui/drill/DrillDialog.h"
#include "ui/equity/EquityWindow.h"
#include "ui/statistics/HandStatisticsDialog.h"

#include <QAction>
#include <algorithm>
#include <memory>

namespace quillory {

void CTrainerDialog::AddWindowCommands() {
    auto* callAdvisor = new QAction(QStringLiteral("Should I &Call?..."), this);
    connect(callAdvisor, &QAction::triggered, this, [this] { OnCallAdvisor(); });
    auto* statistics = new QAction(QStringLiteral("Hand &Statistics..."), this);
    connect(statistics, &QAction::triggered, this, [this] { OnHandStatistics(); });
    // The drill is a window of its own over its own state; the hand in this
    // window is left as it is.
    auto* drill = new QAction(QStringLiteral("Practise &Estimating..."), this);
    connect(drill, &QAction::triggered, this, [this] {
        DrillDialog dialog(DefaultDrillRecordPath(), this);
        RunModalDialog(dialog);
    });
    // The calculator starts from the hand as it stands: the user's cards as
    // Player 1, the board cards shown so far, the other seats random. Nothing
    // it does flows back into this window.
    auto* equity = new QAction(QStringLiteral("E&quity Calculator..."), this);
    connect(equity, &QAction::triggered, this, [this] {
        const TrainerState& s = State();
        std::vector<Card> board;
        for (CardSlot slot :
             {CardSlot::Flop1, CardSlot::Flop2, CardSlot::Flop3, CardSlot::Turn, CardSlot::River}) {
            board.push_back(s.Shown(slot));
        }
        EquityWindow calculator(this);
        calculator.StartFrom({s.Shown(CardSlot::Hole1), s.Shown(CardSlot::Hole2)}, board,
                             std::clamp(s.m_nPlayers, kMinTablePlayers, kMaxTablePlayers));
        RunModalDialog(calculator);
    });
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    insertActions(m_helpAction, {callAdvisor, statistics, drill, equity, separator});
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The advisor starts from the hand as it stands: the whole percent of the
// winning rate (0 before any estimate), one result column per opponent, and
// the pot and investment of the window.
void CTrainerDialog::OnCallAdvisor() {
    m_trainer.Read(Fields());
    const TrainerState& s = State();
    CCallAdvisorDialog advisor(this);
    advisor.m_nWinRate = std::clamp(s.RatePercent(), 0, CCallAdvisorDialog::kMaxRate);
    advisor.m_rateKnown = s.m_trials > 0;
    // Result columns for 0 up to every opponent calling: players - 1 callers
    // at most, so one column per player after "No caller".
    advisor.m_nCallers = std::clamp(s.m_nPlayers, kMinTablePlayers, kMaxTablePlayers);
    advisor.m_nCurrentPot = std::clamp(s.m_nPot, 0, CCallAdvisorDialog::kMaxMoney);
    advisor.m_nInvestSoFar = std::clamp(s.m_nInvest, 0, CCallAdvisorDialog::kMaxMoney);
    advisor.DoModal();
}

// The export of the hidden "&More..." button, then the picture of what it
// counted, opened at the window's table size.
void CTrainerDialog::OnHandStatistics() {
    m_trainer.Read(Fields());
    auto statistics = std::make_unique<HandStatistics>();
    StatisticsExportOptions options;
    options.result = statistics.get();
    if (SaveHandStatistics(this, options) != StatisticsExportOutcome::Written) {
        return;
    }
    HandStatisticsDialog picture(*statistics, this);
    picture.ShowTableSize(State().m_nPlayers);
    RunModalDialog(picture);
}

// The hidden "&More..." button simulates 100,000 deals and saves the hand
// statistics where the user chooses. The export uses nothing of the window's
// state; the read only makes a refused entry known, as every handler does.
void CTrainerDialog::OnMore() {
    m_trainer.Read(Fields());
    SaveHandStatistics(this, StatisticsExportOptions{});
}

} // namespace quillory
