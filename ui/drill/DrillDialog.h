#pragma once

#include "drill/Record.h"
#include "drill/Spot.h"
#include "drill/TrueValue.h"
#include "range/HandRange.h"
#include "ui/drill/TrueValueJob.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <random>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quillory {

class SpotView;

// "Practise Estimating": shows a spot, takes the user's guess of how often
// the hand wins, then reveals the true value, the error and a verdict, and
// adds the answer to the record. Keyboard first: type the guess, Enter
// reveals, Enter again deals the next spot.
//
// The opponents hold random cards or a range (a preset or typed, chosen at
// the top); the street, the table size and the user's two cards are random
// unless the user fixes them there; a change there deals a new spot at once while
// the current one is unanswered. The true value is worked out on a
// background thread from the moment the spot is shown, so the reveal rarely
// waits; when it does, a busy bar says so and the window stays responsive.
//
// The record is opened at `recordPath` (drill/Record.h). A file that cannot
// be used is reported once, through the modal seam, after the window shows;
// the drill then keeps the answers in memory for the run.
//
// The drill teaches as well (ui/drill/DrillTeach.cpp): "Kind" switches to
// call-or-fold spots, which show a pot and a bet and take Call or Fold (keys
// C and F); "Focus on my weak spots" deals more of the streets, table sizes
// and kinds the record says the user judges worst (drill/Focus.h); after
// every reveal a label starting "Why:" explains the value (drill/Why.h).
class DrillDialog : public QDialog {
    Q_OBJECT

public:
    enum class Stage {
        Asking,   // a spot is shown and the guess is open
        Working,  // the guess is in; the true value is still being worked out
        Revealed, // the true value, error and verdict are shown
    };

    explicit DrillDialog(const QString& recordPath, QWidget* parent = nullptr,
                         TrueValueJob::Compute compute = {});

    // The main button: reveals while asking, deals the next spot once revealed.
    void OnGo();
    void NextSpot();
    // "Your Record": the summary and the CSV export, run through the modal seam.
    void ShowRecord();
    // A call-or-fold answer, as the buttons and keys C and F give it.
    void Decide(drill::Decision decision);
    drill::Question CurrentQuestion() const;

    Stage CurrentStage() const { return m_stage; }
    const drill::Spot& CurrentSpot() const { return m_spot; }
    const drill::Record& Record() const { return m_record; }

    // Controls, in tab order.
    QComboBox* m_opponents{};
    QComboBox* m_street{};
    QComboBox* m_players{};
    QLineEdit* m_cards{};
    QComboBox* m_kind{};  // "Estimate" or "Call or fold"
    QCheckBox* m_focus{}; // "Focus on my weak spots"
    QLineEdit* m_guess{};
    QPushButton* m_go{};
    QPushButton* m_call{};
    QPushButton* m_fold{};
    QPushButton* m_recordButton{};
    QPushButton* m_close{};
    // What the window shows.
    SpotView* m_spotView{};
    QLabel* m_note{};
    QProgressBar* m_working{};
    QLabel* m_truth{};
    QLabel* m_verdict{};
    QLabel* m_why{};
    QLabel* m_recordLine{};

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildChoices();
    // "Opponents: random or a range" (ui/drill/DrillOpponents.cpp): reads the
    // choice into m_opponentRange; false while the typed text does not parse.
    QWidget* BuildOpponents();
    bool ReadOpponents();
    bool DealRangeSpot();
    QWidget* BuildAnswer();
    QWidget* BuildTeaching();
    QWidget* BuildDecision();
    void ShowQuestion();
    void OnExplained(int job, const QString& text);
    void FillAnswer(drill::Answer& answer) const;
    void ShowResult();
    void OnChoiceChanged();
    void DealSpot();
    void OnReady(int job, const drill::TrueValue& value);
    void Reveal();
    void Finish();
    void SetNote(const QString& text);
    void SetFigure(QLabel* label, const QString& name, const QString& text);
    void ReportProblem();
    void RefreshRecordLine();
    drill::SpotChoice Choice() const;

    std::optional<HandRange> m_opponentRange; // empty: random cards
    drill::Record m_record;
    std::mt19937_64 m_generator;
    std::int64_t m_session{};
    TrueValueJob* m_jobs{};
    drill::Spot m_spot;
    int m_job{};
    std::optional<drill::TrueValue> m_value;
    double m_guessValue{};
    std::optional<drill::Decision> m_decision;
    QString m_explanation;
    QLabel* m_question{};
    QWidget* m_guessRow{};
    QWidget* m_decisionRow{};
    QLabel* m_stake{};
    Stage m_stage{Stage::Asking};
    bool m_problemReported{};
};

// The user's fixed cards: two distinct cards as typed ("As Kh", "10h Jh");
// nothing for an empty field or anything else.
std::optional<std::array<Card, 2>> ParseHoleCards(const QString& typed);

// Where the record lives: "drill.sqlite" in the user's data folder
// (QStandardPaths::AppDataLocation).
QString DefaultDrillRecordPath();

} // namespace quillory
