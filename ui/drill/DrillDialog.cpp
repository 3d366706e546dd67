#include "ui/drill/DrillDialog.h"

#include "drill/Focus.h"
#include "drill/Reveal.h"
#include "drill/Summary.h"
#include "ui/ModalSeam.h"
#include "ui/SystemPath.h"
#include "ui/drill/RecordDialog.h"
#include "ui/drill/SpotView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

namespace quillory {
QString DefaultDrillRecordPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/drill.sqlite");
}

DrillDialog::DrillDialog(const QString& recordPath, QWidget* parent, TrueValueJob::Compute compute)
    : QDialog(parent), m_generator(std::random_device{}()) {
    setWindowTitle(QStringLiteral("Practise Estimating"));
    m_record.Open(SystemPath(recordPath));
    m_session = m_record.NextSession();
    m_jobs = new TrueValueJob(this, std::move(compute));
    connect(m_jobs, &TrueValueJob::Ready, this, &DrillDialog::OnReady);
    connect(m_jobs, &TrueValueJob::Explained, this, &DrillDialog::OnExplained);

    m_spotView = new SpotView(this);
    // Plain buttons rather than a button box, which would reorder their tabs.
    m_recordButton = new QPushButton(QStringLiteral("&Your Record..."), this);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    for (QPushButton* button : {m_recordButton, m_close}) {
        button->setAutoDefault(false);
    }
    connect(m_recordButton, &QPushButton::clicked, this, [this] { ShowRecord(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_recordButton);
    buttons->addWidget(m_close);
    m_recordLine = new QLabel(this);
    m_recordLine->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildOpponents());
    layout->addWidget(BuildChoices());
    layout->addWidget(BuildTeaching());
    layout->addSpacing(8);
    layout->addWidget(m_spotView);
    layout->addWidget(BuildAnswer());
    layout->addStretch(1);
    layout->addWidget(m_recordLine);
    layout->addLayout(buttons);
    // Tab goes down the window: the choices, the guess, then the buttons.
    QWidget* order[] = {m_opponents, m_street, m_players, m_cards, m_kind,         m_focus,
                        m_guess,     m_call,   m_fold,    m_go,    m_recordButton, m_close};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    RefreshRecordLine();
    NextSpot();
}

drill::SpotChoice DrillDialog::Choice() const {
    drill::SpotChoice choice;
    if (const int street = m_street->currentData().toInt(); street >= 0) {
        choice.street = static_cast<drill::Street>(street);
    }
    if (const int players = m_players->currentData().toInt(); players >= 2) {
        choice.players = players;
    }
    choice.hole = ParseHoleCards(m_cards->text());
    return choice;
}

void DrillDialog::OnChoiceChanged() {
    const drill::SpotChoice choice = Choice();
    const bool cardsPending = !m_cards->text().trimmed().isEmpty() && !choice.hole;
    if (m_stage != Stage::Asking || cardsPending || !ReadOpponents()) {
        return; // the next spot follows the choice
    }
    const std::string opponents = m_opponentRange ? FormatRange(*m_opponentRange) : "";
    const bool fits = (!choice.street || *choice.street == m_spot.street) &&
                      (!choice.players || *choice.players == m_spot.players) &&
                      (!choice.hole || *choice.hole == m_spot.hole) &&
                      opponents == m_spot.opponents;
    if (!fits) {
        DealSpot(); // the focus stays where the user is choosing
    }
}

void DrillDialog::NextSpot() {
    DealSpot();
    if (CurrentQuestion() == drill::Question::CallOrFold) {
        m_call->setFocus();
    } else {
        m_guess->setFocus();
    }
}

void DrillDialog::DealSpot() {
    if (!DealRangeSpot()) {
        m_spot = m_focus->isChecked()
                     ? drill::DrawWeakSpot(m_record.Answers(), m_generator(), Choice())
                     : drill::DrawSpot(m_generator, Choice());
    }
    if (CurrentQuestion() == drill::Question::CallOrFold) {
        m_spot.stake = drill::DrawStake(m_generator);
    }
    m_spotView->Show(m_spot);
    m_value.reset();
    m_job = m_jobs->Start(m_spot);
    m_stage = Stage::Asking;
    m_guess->clear();
    m_guess->setReadOnly(false);
    m_go->setText(QStringLiteral("&Reveal"));
    m_go->setEnabled(true);
    m_working->hide();
    if (!m_opponentRange || !m_spot.opponents.empty()) {
        SetNote({});
    }
    SetFigure(m_truth, QStringLiteral("True value"), {});
    SetFigure(m_verdict, QStringLiteral("Verdict"), {});
    ShowQuestion();
}

void DrillDialog::OnGo() {
    if (m_stage == Stage::Asking) {
        Reveal();
    } else if (m_stage == Stage::Revealed) {
        NextSpot();
    }
}

void DrillDialog::Reveal() {
    if (CurrentQuestion() == drill::Question::CallOrFold) {
        return; // answered by Call or Fold
    }
    const std::optional<double> guess = drill::ParseGuess(m_guess->text().toStdString());
    if (!guess) {
        SetNote(QStringLiteral("Type your guess as a percentage from 0 to 100, such as 45 "
                               "or 45.5, then press Enter."));
        m_guess->setFocus();
        m_guess->selectAll();
        return;
    }
    m_guessValue = *guess;
    SetNote({});
    m_guess->setReadOnly(true);
    if (m_value) {
        Finish();
        return;
    }
    m_stage = Stage::Working;
    m_go->setEnabled(false);
    m_working->show();
    SetFigure(m_truth, QStringLiteral("True value"), QStringLiteral("working it out..."));
}

void DrillDialog::OnReady(int job, const drill::TrueValue& value) {
    if (job != m_job) {
        return; // a spot that was skipped
    }
    m_value = value;
    if (m_stage == Stage::Working) {
        Finish();
    }
}

void DrillDialog::Finish() {
    drill::Answer answer;
    FillAnswer(answer);
    answer.opponents = m_spot.opponents;
    m_record.Add(answer);

    m_stage = Stage::Revealed;
    m_working->hide();
    m_go->setText(QStringLiteral("&Next Spot"));
    m_go->setEnabled(true);
    ShowResult();
    RefreshRecordLine();
    ReportProblem();
}

void DrillDialog::SetNote(const QString& text) {
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
    m_note->setAccessibleName(text.isEmpty() ? QStringLiteral("Note") : text);
}

// A figure label is named "Name: value" (just "Name" while empty), as the
// main window's figures are, so screen readers read and announce the value.
void DrillDialog::SetFigure(QLabel* label, const QString& name, const QString& text) {
    label->setText(text.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(name, text));
    label->setAccessibleName(text.isEmpty() ? name : label->text());
}

void DrillDialog::RefreshRecordLine() {
    const drill::Summary summary = drill::Summarize(m_record.Answers());
    QString line = QString::fromStdString(drill::Describe(summary.overall));
    if (summary.decisions.answers > 0) {
        line += QStringLiteral("; call or fold: ") +
                QString::fromStdString(drill::Describe(summary.decisions));
    }
    SetFigure(m_recordLine, QStringLiteral("Your record"), line);
}

void DrillDialog::ShowRecord() {
    RecordDialog record(m_record.Answers(), this);
    RunModalDialog(record);
    m_guess->setFocus();
}

void DrillDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // After the window is up, so the message has an owner on the screen.
    QTimer::singleShot(0, this, [this] { ReportProblem(); });
}

void DrillDialog::ReportProblem() {
    if (m_problemReported || m_record.Problem().empty()) {
        return;
    }
    m_problemReported = true;
    ShowMessageBox(this, QString::fromStdString(m_record.Problem()), MessageIcon::Warning);
}

} // namespace quillory
