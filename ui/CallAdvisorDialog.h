#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace quillory {

// "Should I Call?": the expected profit of putting more money into the pot.
// From the pot, the user's investment so far, an amount to add and the
// winning rate, "Calculate" (OnCalculate; Enter presses it) shows the prize
// and the table of odds/CallTable.h (21 amounts against 0, 1, 2, ... players
// who put the same in after the user), with the amount's own row selected
// and focused.
//
// The opener sets m_nWinRate, m_rateKnown, m_nCallers and the two amounts
// before Create or DoModal, which write the amounts into the fields, make
// the columns and size the window to them. The three amounts are read within
// 0 to kMaxMoney; a refused entry is reported (its field gets the focus) and
// the calculation goes on with the members as they then are. The prize
// field is hidden, so the status line under the table repeats the prize and
// the rate. Close, Esc and the close box end it with res::kIdCancel.
class CCallAdvisorDialog : public QDialog {
    Q_OBJECT

public:
    explicit CCallAdvisorDialog(QWidget* parent = nullptr);

    static constexpr std::int32_t kMaxMoney = 10000000;
    static constexpr std::int32_t kMaxRate = 100;

    // Shows the dialog without waiting (tests), or runs it through the modal seam.
    void Create();
    int DoModal();
    void reject() override;

    void OnCalculate();

    QLineEdit* m_currentPot{};
    QLineEdit* m_investSoFar{};
    QLineEdit* m_adding{};
    QPushButton* m_calculate{};
    QPushButton* m_close{};
    QPlainTextEdit* m_prize{};
    QTableWidget* m_listCallers{};
    QLabel* m_summary{};

    std::int32_t m_nInvestSoFar{};
    std::int32_t m_nCurrentPot{};
    QString m_strPrize;
    std::int32_t m_nAdding{};
    std::int32_t m_nWinRate{};  // whole percent, 0 to 100; set by the opener
    bool m_rateKnown{true};     // false: opened before any estimate, m_nWinRate is 0
    std::int32_t m_nCallers{1}; // result columns after the amount column; set by the opener

private:
    void Initialise();
    void ReadAmounts();
    void FitToContent();
    void ShowSummary();
};

} // namespace quillory
