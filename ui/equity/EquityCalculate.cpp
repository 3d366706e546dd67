// The Equity Calculator's work: reading the fields, the background run with
// its progress and Stop, the results, the picture and the pickers.
#include "res/ResourceIds.h"
#include "ui/CardPickerDialog.h"
#include "ui/ModalSeam.h"
#include "ui/SaveFile.h"
#include "ui/equity/EquityInput.h"
#include "ui/equity/EquityPicture.h"
#include "ui/equity/EquityWindow.h"
#include "ui/range/RangeEditor.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

namespace quillory {
namespace {

constexpr const char* kResultNames[] = {"equity", "win", "tie", "combos", "found"};

QString Percent(double value) {
    return QStringLiteral("%1%").arg(value, 0, 'f', 2);
}

} // namespace

void EquityWindow::Mark(QLineEdit* field, QLabel* label, const QString& error) {
    label->setText(error.isEmpty() ? QString()
                                   : field->accessibleName() + QStringLiteral(": ") + error);
    label->setAccessibleName(label->text());
    label->setVisible(!error.isEmpty());
    field->setAccessibleDescription(error);
    field->setToolTip(error);
    field->setStyleSheet(error.isEmpty() ? QString()
                                         : QStringLiteral("QLineEdit { border: 2px solid "
                                                          "#d0312d; }"));
}

bool EquityWindow::ReadQuestion(EquityQuestion& question) {
    QLineEdit* first = nullptr;
    const auto refuse = [&](QLineEdit* field, QLabel* label, const QString& error) {
        Mark(field, label, error);
        if (first == nullptr) {
            first = field;
        }
    };
    Mark(m_board, m_boardError, {});
    QString error;
    if (!ReadCards(m_board->text(), question.board, error)) {
        refuse(m_board, m_boardError, error);
    } else if (const auto n = question.board.size(); n == 1 || n == 2 || n > 5) {
        refuse(m_board, m_boardError,
               QStringLiteral("the board holds 0, 3, 4 or 5 cards, not %1").arg(n));
    } else if (!ReadCards(m_dead->text(), question.dead, error)) {
        refuse(m_dead, m_boardError, error);
    } else {
        for (int card : question.dead) {
            if (std::find(question.board.begin(), question.board.end(), card) !=
                question.board.end()) {
                refuse(m_dead, m_boardError,
                       QStringLiteral("%1 is on the board").arg(CardsText({card})));
                break;
            }
        }
    }
    const int players = m_players->value();
    question.seats.assign(static_cast<std::size_t>(players), HandRange());
    for (int seat = 0; seat < players; ++seat) {
        HandRange& range = question.seats[static_cast<std::size_t>(seat)];
        Mark(m_seats[seat], m_seatErrors[seat], {});
        if (!ReadSeat(m_seats[seat]->text(), range, error)) {
            refuse(m_seats[seat], m_seatErrors[seat], error);
            continue;
        }
        // Combos that use a known or dead card are out of play.
        for (int combo = 0; combo < kComboCount; ++combo) {
            const ComboCards cards = CardsOfCombo(combo);
            for (const auto* known : {&question.board, &question.dead}) {
                if (std::find(known->begin(), known->end(), cards.low) != known->end() ||
                    std::find(known->begin(), known->end(), cards.high) != known->end()) {
                    range.SetWeight(combo, 0.0);
                }
            }
        }
        if (range.Empty()) {
            refuse(m_seats[seat], m_seatErrors[seat],
                   QStringLiteral("no combos are left once the board and dead cards are out"));
        }
    }
    if (first != nullptr) {
        first->setFocus();
        first->selectAll();
        return false;
    }
    return true;
}

bool EquityWindow::Calculate() {
    if (m_thread != nullptr) {
        return false;
    }
    EquityQuestion question;
    if (!ReadQuestion(question)) {
        m_status->setText(QStringLiteral("Correct the marked field, then Calculate."));
        return false;
    }
    ClearResults();
    m_answerSeats = static_cast<int>(question.seats.size());
    m_stopFlag = std::make_shared<std::atomic<bool>>(false);
    m_calculate->setEnabled(false);
    m_stop->setEnabled(true);
    m_progress->setValue(0);
    m_progress->show();
    m_status->setText(QStringLiteral("Calculating..."));
    auto shown = std::make_shared<std::atomic<int>>(-1);
    m_thread = QThread::create([this, question, compute = m_compute, stop = m_stopFlag, shown] {
        const EquityAnswer answer = compute(question, *stop, [this, shown](double done) {
            const int percent = static_cast<int>(std::clamp(done, 0.0, 1.0) * 100.0);
            if (shown->exchange(percent) != percent) {
                QMetaObject::invokeMethod(
                    this, [this, percent] { m_progress->setValue(percent); }, Qt::QueuedConnection);
            }
        });
        QMetaObject::invokeMethod(
            this, [this, answer] { OnDone(answer); }, Qt::QueuedConnection);
    });
    m_thread->setParent(this); // deleted with the window, after the destructor's wait
    m_thread->start();
    return true;
}

void EquityWindow::Stop() {
    if (m_stopFlag) {
        m_stopFlag->store(true);
    }
}

void EquityWindow::OnDone(const EquityAnswer& answer) {
    if (m_thread != nullptr) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_answer = answer;
    m_calculate->setEnabled(true);
    m_stop->setEnabled(false);
    m_progress->hide();
    if (!answer.problem.empty()) {
        const QString problem = QString::fromStdString(answer.problem);
        if (answer.problemSeat >= 0 && answer.problemSeat < kMaxEquityPlayers) {
            Mark(m_seats[answer.problemSeat], m_seatErrors[answer.problemSeat], problem);
            m_seats[answer.problemSeat]->setFocus();
        }
        m_status->setText(problem);
    } else {
        ShowAnswer();
    }
    emit Finished();
}

void EquityWindow::ClearResults() {
    for (int seat = 0; seat < kMaxEquityPlayers; ++seat) {
        for (int column = 0; column < 5; ++column) {
            m_results[seat][column]->clear();
            m_results[seat][column]->setAccessibleName(PlayerName(seat) + QLatin1Char(' ') +
                                                       QLatin1String(kResultNames[column]));
        }
    }
    m_answer = EquityAnswer();
    m_pictureSeat->clear();
    m_picture->Clear();
    m_savePicture->setEnabled(false);
}

void EquityWindow::ShowAnswer() {
    const QLocale english(QLocale::English);
    const bool exact = m_answer.method == FoundBy::Exact && !m_answer.stopped;
    const QString found = exact
                              ? QStringLiteral("exact")
                              : QStringLiteral("\u00b1 %1").arg(m_answer.standardError, 0, 'f', 2);
    for (int seat = 0; seat < m_answerSeats && seat < static_cast<int>(m_answer.seats.size());
         ++seat) {
        const SeatEquity& result = m_answer.seats[static_cast<std::size_t>(seat)];
        const QString texts[] = {Percent(result.equity), Percent(result.win), Percent(result.tie),
                                 english.toString(result.combos), found};
        for (int column = 0; column < 5; ++column) {
            QLabel* label = m_results[seat][column];
            label->setText(texts[column]);
            label->setAccessibleName(PlayerName(seat) + QLatin1Char(' ') +
                                     QLatin1String(kResultNames[column]) + QStringLiteral(": ") +
                                     texts[column]);
        }
        m_pictureSeat->addItem(PlayerName(seat));
    }
    const QString how =
        m_answer.method == FoundBy::Exact
            ? QStringLiteral("Exact: %1 showdowns").arg(english.toString(m_answer.samples))
            : QStringLiteral("Monte Carlo: %1 deals, standard error %2 points")
                  .arg(english.toString(m_answer.samples))
                  .arg(m_answer.standardError, 0, 'f', 2);
    m_status->setText(QStringLiteral("%1%2 in %3 s; the picture in %4 s.")
                          .arg(how, m_answer.stopped ? QStringLiteral(", stopped") : QString())
                          .arg(m_answer.seconds, 0, 'f', 2)
                          .arg(m_answer.pictureSeconds, 0, 'f', 2));
    m_savePicture->setEnabled(!m_answer.classEquity.empty());
    ShowPicture();
}

void EquityWindow::ShowPicture() {
    const int seat = m_pictureSeat->currentIndex();
    if (seat < 0 || seat >= static_cast<int>(m_answer.classEquity.size())) {
        m_picture->Clear();
        return;
    }
    const QString text = m_seats[seat]->text().trimmed();
    m_picture->Show(QStringLiteral("%1 (%2): equity of each class against the others")
                        .arg(PlayerName(seat), text.isEmpty() ? QStringLiteral("random") : text),
                    m_answer.classEquity[static_cast<std::size_t>(seat)]);
}

void EquityWindow::OpenRangeEditor(int seat) {
    RangeDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Range"));
    HandRange range;
    QString error;
    if (!m_seats[seat]->text().trimmed().isEmpty() &&
        ReadSeat(m_seats[seat]->text(), range, error)) {
        dialog.Editor()->SetRange(range);
    }
    if (RunModalDialog(dialog) == QDialog::Accepted) {
        m_seats[seat]->setText(QString::fromStdString(FormatRange(dialog.Editor()->Range())));
        Mark(m_seats[seat], m_seatErrors[seat], {});
    }
    m_seats[seat]->setFocus();
}

// Adds picked cards to a field: the flop's three at once on an empty board,
// then one at a time, up to `most` cards.
void EquityWindow::PickCards(QLineEdit* field, int most) {
    std::vector<int> cards;
    QString error;
    if (!ReadCards(field->text(), cards, error)) {
        cards.clear();
    }
    const int room = most - static_cast<int>(cards.size());
    if (room <= 0) {
        return;
    }
    const int count = field == m_board && cards.empty() ? 3 : 1;
    CCardPickerDialog picker(std::min(count, room), this);
    if (picker.DoModal() != res::kIdOk) {
        return;
    }
    Card picked[3];
    picker.GetCard1(picked[0]);
    picker.GetCard2(picked[1]);
    picker.GetCard3(picked[2]);
    for (int i = 0; i < picker.CardCount(); ++i) {
        if (IsRealCard(picked[i])) {
            cards.push_back(FreshDeckIndex(picked[i]));
        }
    }
    field->setText(CardsText(cards));
    field->setFocus();
}

bool EquityWindow::SavePicture() {
    return SavePictureAs(this, QStringLiteral("equity.png"), *m_picture,
                         [this] { return m_picture->Svg(); });
}

} // namespace quillory
