#pragma once

#include "engine/Card.h"
#include "ui/CardImages.h"
#include "ui/TemplateDialog.h"

#include <QIcon>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QMenuBar;

namespace quillory {

class ListView;

// The main window (template 102, "Quillory"): the whole user interface of the
// tool and the owner of all hand state. Every handler reads the controls into
// the members (UpdateData(true)), works on the members and writes them back
// (UpdateData(false)); a failed read has already told the user and the handler
// goes on with the members as they then are.
//
// Start-up (OnInitDialog) reads the two settings, cuts the card pictures,
// lays out the lists and runs OnPracticeMode, which resets the hand. Closing
// in any way runs OnDestroy, which writes the settings back, unless the
// settings file was unusable at start-up (ui/Profile.h); a write that cannot
// have the settings lock within a second is given up.
//
// The player count is held to 2 to 10 wherever it is used; the pot and the
// investment to 0 to 10000000 when they are read.
class CTrainerDialog : public TemplateDialog {
    Q_OBJECT

public:
    explicit CTrainerDialog(QWidget* parent = nullptr);
    ~CTrainerDialog() override;

    static constexpr std::int32_t kMinPlayers = 2;
    static constexpr std::int32_t kMaxPlayers = 10;
    static constexpr std::int32_t kMaxMoney = 10000000;

    // Window menu and help. Returns true when the command was the About item.
    bool OnSysCommand(int id);
    void OnHelp();
    // The About item where the window menu is the program's own (the context
    // menu, and the application menu on macOS); nullptr where the system menu
    // carries it.
    QAction* AboutAction() const { return m_aboutAction; }
    QAction* CallAdvisorAction() const { return m_callAdvisorAction; }
    QAction* StatisticsAction() const { return m_statisticsAction; }

    // Hand progression.
    void OnDraw();
    void OnFlop();
    void OnTurn();
    void OnRiver();
    void OnShowdown();
    void OnMore();
    // The context-menu entries "Should I Call?..." and "Hand Statistics...".
    void OnCallAdvisor();
    void OnHandStatistics();
    // Simulates 100,000 deals and saves the hand statistics where the user chooses.
    void ExportHandStatistics();

    // Practice mode and player count. ResetHand empties the eight list views,
    // the seats and the board, sets pot 10 x players, investment 10, profit
    // and "add up to" 0, no winning rate, Draw alone enabled, and writes the
    // members to the controls without raising change notifications. It reads
    // no control: callers read first.
    void OnPracticeMode();
    void ResetHand();
    void OnKillFocusPlayers();

    // Pot, investment and expected profit.
    void OnChangePot();
    void OnChangeInvest();
    void OnKillFocusPot();
    void OnKillFocusInvest();

    // Fixed cards.
    void OnFixHole1();
    void OnFixHole2();
    void OnFixFlop1();
    void OnFixFlop2();
    void OnFixFlop3();
    void OnFixTurn();
    void OnFixRiver();
    // Estimates the winning rate again for the cards as they stand (the known
    // board cards are the filled slots), rewrites the user's row of the hands
    // list and refreshes the pot figures. Changes no button state.
    void RefreshEstimate();

    // Members, in the order of the data exchange. The list views are bound by
    // the first exchange (in OnInitDialog).
    ListView* m_listRiver{};
    ListView* m_listTurn{};
    ListView* m_listFlop3{};
    ListView* m_listFlop2{};
    ListView* m_listFlop1{};
    ListView* m_listHole2{};
    ListView* m_listHole1{};
    ListView* m_listHands{};
    QString m_strWinningRate;       // "49.36%" or empty
    std::int32_t m_nPlayers{4};     // players including the user, 2 to 10
    std::int32_t m_bPracticeMode{}; // nonzero: the tool deals every card
    QString m_strAverageRate;       // the reference rate for the table size
    std::int32_t m_nPot{};
    std::int32_t m_nExpectingProfit{};
    std::int32_t m_nInvest{};
    std::int32_t m_nAddUpTo{};
    QIcon m_hIcon;
    CardImages m_cardImages; // the 52 pictures; index CardImageIndex
    CardStrip m_cardStrip;
    std::array<Card, 5> m_board{};   // flop 1 to 3, turn, river; no card when not dealt
    std::vector<Card> m_firstCards;  // each seat's first hole card; seat 0 is the user
    std::vector<Card> m_secondCards; // each seat's second hole card

protected:
    void DoDataExchange(DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnDestroy() override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void AddAboutEntry(const QString& text);
    void AddWindowCommands();
    // Hand steps: the estimate for k known board cards into the winning rate,
    // the profit refresh (figures, average rate, write-back), and a Fix
    // button's replacement of one filled slot through the card picker.
    void EstimateWinningRate(std::int32_t knownBoard);
    void RefreshProfit();
    void FixCard(Card* slot, ListView* view);
    // Turn and River: uncovers (or, in entry mode, asks for) board card
    // `slot`, estimates with it, shows it in `view` and moves the stage on
    // from button `done` to button `next` (0 for none).
    void UncoverBoardCard(std::size_t slot, ListView* view, int done, int next);
    std::array<ListView*, 8> AllListViews() const;

    QAction* m_helpAction{};
    QAction* m_aboutAction{};
    QAction* m_callAdvisorAction{};
    QAction* m_statisticsAction{};
    std::unique_ptr<QMenuBar> m_applicationMenu;
    // False when the settings file was not a regular file at start-up: the
    // defaults were used, and nothing is written back.
    bool m_settingsUsable{};
};

// The settings of the main window: section "Setting", values "Demonstration"
// (practice mode, default 1) and "NumPlayers" (player count, default 4).
inline constexpr const char* kSettingsSection = "Setting";
inline constexpr const char* kPracticeModeEntry = "Demonstration";
inline constexpr const char* kPlayersEntry = "NumPlayers";

} // namespace quillory
