#include "drill/Focus.h"
#include "drill/Reveal.h"
#include "ui/drill/DrillDialog.h"
#include "ui/drill/SpotView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

// The teaching side of "Practise Estimating": the kind of question, the
// weak-spot focus, the call-or-fold answers and the explanation.
namespace quillory {

QWidget* DrillDialog::BuildTeaching() {
    auto* box = new QWidget(this);
    m_kind = new QComboBox(box);
    m_kind->addItem(QStringLiteral("Estimate"), static_cast<int>(drill::Question::Estimate));
    m_kind->addItem(QStringLiteral("Call or fold"), static_cast<int>(drill::Question::CallOrFold));
    m_kind->setAccessibleName(QStringLiteral("Kind"));
    auto* label = new QLabel(QStringLiteral("&Kind:"), box);
    label->setBuddy(m_kind);
    m_focus = new QCheckBox(QStringLiteral("Focus on my &weak spots"), box);
    m_focus->setAccessibleDescription(
        QStringLiteral("Deal more of the streets, table sizes and kinds of hand where your "
                       "recent guesses were furthest off"));
    m_focus->setToolTip(m_focus->accessibleDescription());
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(m_kind);
    row->addSpacing(12);
    row->addWidget(m_focus);
    row->addStretch(1);
    // A new kind of question deals a new spot at once, as the other choices do.
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] {
        if (m_stage == Stage::Asking) {
            DealSpot();
        }
    });
    return box;
}

QWidget* DrillDialog::BuildDecision() {
    m_decisionRow = new QWidget(this);
    m_call = new QPushButton(QStringLiteral("Call"), m_decisionRow);
    m_fold = new QPushButton(QStringLiteral("Fold"), m_decisionRow);
    m_call->setAccessibleDescription(QStringLiteral("Call the bet (key C)"));
    m_fold->setAccessibleDescription(QStringLiteral("Fold (key F)"));
    auto* row = new QHBoxLayout(m_decisionRow);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {m_call, m_fold}) {
        button->setAutoDefault(false);
        button->setToolTip(button->accessibleDescription());
        row->addWidget(button);
    }
    connect(m_call, &QPushButton::clicked, this, [this] { Decide(drill::Decision::Call); });
    connect(m_fold, &QPushButton::clicked, this, [this] { Decide(drill::Decision::Fold); });
    // Plain C and F; a text field that has the focus keeps its typing.
    const std::pair<Qt::Key, drill::Decision> keys[] = {{Qt::Key_C, drill::Decision::Call},
                                                        {Qt::Key_F, drill::Decision::Fold}};
    for (const auto& [key, decision] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, decision = decision] {
            if (CurrentQuestion() == drill::Question::CallOrFold && m_stage == Stage::Asking) {
                Decide(decision);
            }
        });
    }
    return m_decisionRow;
}

drill::Question DrillDialog::CurrentQuestion() const {
    return static_cast<drill::Question>(m_kind->currentData().toInt());
}

// Shows the question of the kind chosen: the guess field, or the pot with
// the Call and Fold buttons.
void DrillDialog::ShowQuestion() {
    const bool call = CurrentQuestion() == drill::Question::CallOrFold;
    m_question->setText(
        call ? QStringLiteral("%1 Call or fold? (Every opponent stays to the showdown.)")
                   .arg(QString::fromStdString(drill::StakeText(*m_spot.stake)))
             : QStringLiteral(
                   "How often does this hand win at the showdown (a shared pot counts)?"));
    m_question->setAccessibleName(m_question->text());
    m_guessRow->setVisible(!call);
    m_decisionRow->setVisible(call);
    m_call->setEnabled(true);
    m_fold->setEnabled(true);
    m_go->setVisible(!call);
    m_decision.reset();
    m_explanation.clear();
    SetFigure(m_why, QStringLiteral("Why"), {});
}

void DrillDialog::Decide(drill::Decision decision) {
    if (m_stage != Stage::Asking || CurrentQuestion() != drill::Question::CallOrFold) {
        return;
    }
    m_decision = decision;
    m_call->setEnabled(false);
    m_fold->setEnabled(false);
    if (m_value) {
        Finish();
        return;
    }
    m_stage = Stage::Working;
    m_working->show();
    SetFigure(m_truth, QStringLiteral("True value"), QStringLiteral("working it out..."));
}

void DrillDialog::OnExplained(int job, const QString& text) {
    if (job != m_job) {
        return;
    }
    m_explanation = text;
    if (m_stage == Stage::Revealed) {
        m_why->setText(text);
        m_why->setAccessibleName(text);
    }
}

void DrillDialog::FillAnswer(drill::Answer& answer) const {
    answer.time = QDateTime::currentSecsSinceEpoch();
    answer.session = m_session;
    answer.hole = drill::HoleText(m_spot);
    answer.board = drill::BoardText(m_spot);
    answer.street = m_spot.street;
    answer.players = m_spot.players;
    answer.truth = m_value->percent;
    answer.method = m_value->method;
    answer.kind = drill::KindOf(m_spot);
    if (m_spot.stake && m_decision) {
        answer.question = drill::Question::CallOrFold;
        answer.stake = *m_spot.stake;
        answer.decision = m_decision;
    } else {
        answer.guess = m_guessValue;
    }
}

// The true value, the verdict and the explanation once an answer is in.
void DrillDialog::ShowResult() {
    const QString truth = QString::fromStdString(drill::TruthText(*m_value));
    if (m_spot.stake && m_decision) {
        SetFigure(m_truth, QStringLiteral("True value"), QStringLiteral("equity ") + truth);
        SetFigure(m_verdict, QStringLiteral("Verdict"),
                  QString::fromStdString(
                      drill::DecisionVerdictText(*m_decision, *m_spot.stake, m_value->percent)));
        m_go->show();
        m_go->setFocus();
    } else {
        SetFigure(m_truth, QStringLiteral("True value"), truth);
        SetFigure(m_verdict, QStringLiteral("Verdict"),
                  QString::fromStdString(drill::VerdictText(m_guessValue, m_value->percent)));
        m_guess->setFocus();
    }
    const QString why =
        m_explanation.isEmpty() ? QStringLiteral("Why: working it out...") : m_explanation;
    m_why->setText(why);
    m_why->setAccessibleName(why);
}

} // namespace quillory
