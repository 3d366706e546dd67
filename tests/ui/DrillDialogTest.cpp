// "Practise Estimating": a whole round by keyboard with the record kept
// across windows, a true value that is slow or belongs to a skipped spot, a
// damaged or unusable record reported once, the summary with its chart in
// light and dark palettes and its CSV export, and the main window's entry.
#include "ui/drill/DrillDialog.h"

#include "drill/Decision.h"
#include "drill/Reveal.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/TrainerDialog.h"
#include "ui/drill/CalibrationChart.h"
#include "ui/drill/ErrorChart.h"
#include "ui/drill/RecordDialog.h"
#include "ui/drill/SpotView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <atomic>
#include <future>
#include <memory>

using namespace quillory;
using testing::Seam;
using testing::Type;
using Stage = DrillDialog::Stage;

namespace {

// A true value that tells the spots apart: 5 points per player.
drill::TrueValue ByPlayers(const drill::Spot& spot) {
    return drill::TrueValue{5.0 * spot.players, drill::Method::MonteCarlo, 0.08, 250000};
}

void Press(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
}

void Guess(DrillDialog& dialog, const QString& text) {
    Type(dialog.m_guess, text);
    Press(dialog.m_guess, Qt::Key_Return);
}

QString Csv(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class DrillDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Seam().Reset();
        QVERIFY(m_folder.isValid());
        m_path = m_folder.filePath(QStringLiteral("record/drill.sqlite"));
    }

    void cleanup() {
        QCOMPARE(Seam().UnexpectedDialogs(), 0);
        QDir(m_folder.filePath(QStringLiteral("record"))).removeRecursively();
    }

    // Fixed choices, a refused guess, a reveal and the next spot, all by
    // keyboard; the answer is in the record the next window opens.
    void aRoundByKeyboardIsRecorded() {
        {
            DrillDialog dialog(m_path, nullptr, ByPlayers);
            QVERIFY(testing::Activate(dialog));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Practise Estimating"));
            QCOMPARE(QApplication::focusWidget(), dialog.m_guess);
            // Every control is reached by Tab, top to bottom, and has a name.
            const QList<QWidget*> order{dialog.m_go,     dialog.m_recordButton,
                                        dialog.m_close,  dialog.m_opponents,
                                        dialog.m_street, dialog.m_players,
                                        dialog.m_cards,  static_cast<QWidget*>(dialog.m_kind),
                                        dialog.m_focus,  dialog.m_guess};
            for (QWidget* next : order) {
                Press(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), next);
                QVERIFY(!next->accessibleName().isEmpty() || !next->property("text").isNull());
            }
            dialog.m_street->setCurrentIndex(dialog.m_street->findText(QStringLiteral("Flop")));
            dialog.m_players->setCurrentIndex(
                dialog.m_players->findText(QStringLiteral("6 players")));
            Type(dialog.m_cards, QStringLiteral("As Kh"));
            const drill::Spot spot = dialog.CurrentSpot();
            QCOMPARE(spot.street, drill::Street::Flop);
            QCOMPARE(spot.players, 6);
            QCOMPARE(drill::HoleText(spot), std::string("A(S) K(H)"));
            QCOMPARE(dialog.m_spotView->Description(), SpotView::Describe(spot));
            QVERIFY(dialog.m_spotView->Description().startsWith(
                QStringLiteral("Flop, 6 players: A(S) K(H) on ")));
            const auto* first = dialog.m_spotView->findChildren<QLabel*>().at(2);
            QVERIFY(first->accessibleName().startsWith(QStringLiteral("Your first card: ")));

            Guess(dialog, QStringLiteral("forty"));
            QCOMPARE(dialog.CurrentStage(), Stage::Asking);
            QVERIFY(dialog.m_note->text().contains(QStringLiteral("from 0 to 100")));
            QVERIFY(dialog.Record().Answers().empty());

            Guess(dialog, QStringLiteral("35,5"));
            QTRY_COMPARE(dialog.CurrentStage(), Stage::Revealed);
            QCOMPARE(dialog.m_truth->accessibleName(),
                     QStringLiteral("True value: 30.00% \u00b1 0.08 (Monte Carlo, 250,000 deals)"));
            QCOMPARE(dialog.m_verdict->accessibleName(),
                     QStringLiteral("Verdict: ") +
                         QString::fromStdString(drill::VerdictText(35.5, 30.0)));
            QVERIFY(dialog.m_verdict->text().contains(QStringLiteral("a miss")));
            QVERIFY(dialog.m_note->isHidden());
            QCOMPARE(dialog.m_go->text(), QStringLiteral("&Next Spot"));
            QVERIFY(dialog.m_recordLine->accessibleName().startsWith(
                QStringLiteral("Your record: 1 answer: off by 5.5 points")));
            const drill::Answer& answer = dialog.Record().Answers().back();
            QCOMPARE(answer.guess, 35.5);
            QCOMPARE(answer.truth, 30.0);
            QCOMPARE(answer.street, drill::Street::Flop);
            QCOMPARE(answer.players, 6);
            QCOMPARE(answer.hole, std::string("A(S) K(H)"));
            QCOMPARE(answer.board, drill::BoardText(spot));

            // Enter again: a new spot with the same choices and an empty guess.
            Press(dialog.m_guess, Qt::Key_Return);
            QCOMPARE(dialog.CurrentStage(), Stage::Asking);
            QVERIFY(dialog.m_guess->text().isEmpty());
            QCOMPARE(dialog.m_truth->accessibleName(), QStringLiteral("True value"));
            QCOMPARE(dialog.CurrentSpot().street, drill::Street::Flop);
            QCOMPARE(dialog.CurrentSpot().hole, spot.hole);
            // Back to random cards: the spot already fits and stays.
            const drill::Spot kept = dialog.CurrentSpot();
            Type(dialog.m_cards, QString());
            QCOMPARE(dialog.CurrentSpot().board, kept.board);
        }
        DrillDialog reopened(m_path, nullptr, ByPlayers);
        QCOMPARE(reopened.Record().Answers().size(), std::size_t{1});
        QVERIFY(reopened.m_recordLine->text().contains(QStringLiteral("1 answer:")));
        QVERIFY(Seam().Messages().empty());
    }

    // A guess made before the value is known waits for it with the window
    // responsive; a value for a spot the user skipped is never shown.
    void aSlowValueIsAwaitedAndASkippedSpotIgnored() {
        auto gate = std::make_shared<std::promise<void>>();
        std::shared_future<void> open = gate->get_future().share();
        // The first spot, dealt as the window opens, is skipped; its value
        // stands out so that showing it would be seen.
        auto calls = std::make_shared<std::atomic<int>>(0);
        DrillDialog dialog(m_path, nullptr, [open, calls](const drill::Spot& spot) {
            open.wait();
            drill::TrueValue value = ByPlayers(spot);
            value.percent = (*calls)++ == 0 ? 99.0 : value.percent;
            return value;
        });
        QVERIFY(testing::Activate(dialog));
        dialog.m_players->setCurrentIndex(dialog.m_players->findText(QStringLiteral("3 players")));
        dialog.m_players->setCurrentIndex(dialog.m_players->findText(QStringLiteral("7 players")));
        Guess(dialog, QStringLiteral("40"));
        QCOMPARE(dialog.CurrentStage(), Stage::Working);
        QVERIFY(dialog.m_working->isVisible());
        QVERIFY(!dialog.m_go->isEnabled());
        QVERIFY(dialog.m_guess->isReadOnly());
        gate->set_value();
        QTRY_COMPARE(dialog.CurrentStage(), Stage::Revealed);
        QVERIFY(dialog.m_working->isHidden());
        QCOMPARE(dialog.Record().Answers().back().truth, 35.0);
        QCOMPARE(dialog.Record().Answers().size(), std::size_t{1});
    }

    // A damaged file is set aside and reported once; a place that cannot hold
    // the record is reported once and the drill still runs.
    void anUnusableRecordIsReportedOnce() {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        {
            QFile damaged(m_path);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write("these are not the answers you are looking for");
        }
        {
            DrillDialog dialog(m_path, nullptr, ByPlayers);
            QVERIFY(testing::Activate(dialog));
            QTRY_COMPARE(Seam().Messages().size(), std::size_t{1});
            QVERIFY(Seam().Messages()[0].text.contains(QStringLiteral("damaged")));
            QCOMPARE(Seam().Messages()[0].icon, MessageIcon::Warning);
            Guess(dialog, QStringLiteral("50"));
            QTRY_COMPARE(dialog.CurrentStage(), Stage::Revealed);
            QCOMPARE(Seam().Messages().size(), std::size_t{1});
        }
        const QStringList aside = QDir(QFileInfo(m_path).absolutePath())
                                      .entryList({QStringLiteral("drill.sqlite.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(DrillDialog(m_path, nullptr, ByPlayers).Record().Answers().size(), std::size_t{1});

        Seam().Reset();
        const QString blocked = m_folder.filePath(QStringLiteral("record/plain-file"));
        QFile(blocked).open(QIODevice::WriteOnly);
        DrillDialog nowhere(blocked + QStringLiteral("/drill.sqlite"), nullptr, ByPlayers);
        QVERIFY(testing::Activate(nowhere));
        QTRY_COMPARE(Seam().Messages().size(), std::size_t{1});
        for (const char* guess : {"10", "20"}) {
            Guess(nowhere, QString::fromLatin1(guess));
            QTRY_COMPARE(nowhere.CurrentStage(), Stage::Revealed);
            Press(nowhere.m_guess, Qt::Key_Return);
        }
        QCOMPARE(nowhere.Record().Answers().size(), std::size_t{2});
        QCOMPARE(Seam().Messages().size(), std::size_t{1});
    }

    // The summary's figures, the chart and its words in both palettes, and
    // the CSV export through the save dialog.
    void theSummaryReadsAndExports() {
        const std::vector<drill::Answer> answers{
            {1, 1, "A(S) A(H)", "", drill::Street::Preflop, 2, 80, 85, drill::Method::MonteCarlo},
            {2,
             1,
             "A(S) A(H)",
             "K(D) 7(C) 2(H)",
             drill::Street::Flop,
             2,
             70,
             88.77,
             drill::Method::Exact,
             {},
             drill::Question::Estimate,
             {},
             {},
             "QQ+, AKs"},
            {3, 2, "2(C) 7(D)", "", drill::Street::Preflop, 10, 10, 8, drill::Method::MonteCarlo},
        };
        RecordDialog record(answers);
        QCOMPARE(record.windowTitle(), QStringLiteral("Your Record"));
        QCOMPARE(record.m_overall->accessibleName(),
                 QStringLiteral("Your record: 3 answers: off by 8.6 points on average, 67% "
                                "within 5 points"));
        const auto row = [&record](int r) {
            QStringList cells{record.m_table->verticalHeaderItem(r)->text()};
            for (int c = 0; c < 4; ++c) {
                cells << record.m_table->item(r, c)->text();
            }
            return cells;
        };
        QCOMPARE(record.m_table->rowCount(), 29);
        QCOMPARE(row(0), (QStringList{"All spots", "3", "8.6", "67%", "-7.3"}));
        QCOMPARE(row(1), (QStringList{"Preflop", "2", "3.5", "100%", "-1.5"}));
        QCOMPARE(row(3), (QStringList{"Turn", "0", "-", "-", "-"}));
        QCOMPARE(row(13), (QStringList{"10 players", "1", "2.0", "100%", "+2.0"}));
        QCOMPARE(row(14), (QStringList{"Random opponents", "2", "3.5", "100%", "-1.5"}));
        QCOMPARE(row(15), (QStringList{"Opponents with a range", "1", "18.8", "0%", "-18.8"}));
        QCOMPARE(row(16), (QStringList{"One pair", "0", "-", "-", "-"}));
        QCOMPARE(record.m_bias->accessibleName(),
                 QStringLiteral("On average your guesses are 7.3 points too low."));
        QCOMPARE(record.m_decisions->accessibleName(),
                 QStringLiteral("Call or fold: no decisions yet"));
        QCOMPARE(record.m_calibration->accessibleName(), QStringLiteral("Calibration"));
        QCOMPARE(record.m_calibration->accessibleDescription(),
                 QStringLiteral("Guesses of 10 to 20 %: true value 8 % on average, 1 answer. "
                                "Guesses of 70 to 80 %: true value 89 % on average, 1 answer. "
                                "Guesses of 80 to 90 %: true value 85 % on average, 1 answer."));
        QCOMPARE(record.m_chart->accessibleDescription(),
                 QStringLiteral("Session 1: 2 answers: off by 11.9 points on average, 50% within "
                                "5 points (random opponents: 1 answer: off by 5.0 points on "
                                "average, 100% within 5 points; opponents with a range: 1 "
                                "answer: off by 18.8 points on average, 0% within 5 points). "
                                "Session 2: 1 answer: off by 2.0 points on average, 100% "
                                "within 5 points."));

        // The chart's words and bars are drawn in the palette's own colours.
        for (const bool dark : {false, true}) {
            QPalette palette;
            palette.setColor(QPalette::Window, dark ? QColor(30, 30, 30) : QColor(240, 240, 240));
            palette.setColor(QPalette::WindowText, dark ? QColor(235, 235, 235) : Qt::black);
            palette.setColor(QPalette::Highlight, dark ? QColor(90, 160, 255) : QColor(0, 90, 200));
            const auto count = [&palette](QWidget* chart, int& text, int& marks) {
                chart->setPalette(palette);
                chart->resize(chart->sizeHint());
                const QImage image = chart->grab().toImage();
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        const QColor pixel = image.pixelColor(x, y);
                        text += pixel == palette.color(QPalette::WindowText) ? 1 : 0;
                        marks += pixel == palette.color(QPalette::Highlight) ? 1 : 0;
                    }
                }
            };
            int text = 0;
            int bars = 0;
            count(record.m_chart, text, bars);
            QVERIFY2(text > 50 && bars > 500, dark ? "dark palette" : "light palette");
            // The calibration picture: its words and squares in the text colour.
            int words = 0;
            int dots = 0;
            count(record.m_calibration, words, dots);
            QVERIFY2(words > 200, dark ? "dark calibration" : "light calibration");
        }

        const QString target = m_folder.filePath(QStringLiteral("record.csv"));
        Seam().QueueSavePath(target);
        QVERIFY(record.ExportCsv());
        QCOMPARE(Csv(target), QString::fromStdString(drill::ToCsv(answers)));
        Seam().QueueSavePath(m_folder.filePath(QStringLiteral("missing/record.csv")));
        QVERIFY(!record.ExportCsv());
        QCOMPARE(Seam().Messages().size(), std::size_t{1});
        QVERIFY(Seam().Messages()[0].text.contains(QStringLiteral("missing")));
        QVERIFY(!record.ExportCsv()); // cancelled: nothing said
        QCOMPARE(Seam().Messages().size(), std::size_t{1});
    }

    // A call-or-fold spot answered by key F: the verdict scores the decision
    // against the equity, the explanation follows, and the record keeps it.
    void aCallOrFoldSpotByKeyboard() {
        DrillDialog dialog(m_path, nullptr, ByPlayers);
        QVERIFY(testing::Activate(dialog));
        dialog.m_players->setCurrentIndex(dialog.m_players->findText(QStringLiteral("2 players")));
        dialog.m_kind->setCurrentIndex(dialog.m_kind->findText(QStringLiteral("Call or fold")));
        QCOMPARE(dialog.CurrentStage(), Stage::Asking);
        const drill::Spot spot = dialog.CurrentSpot();
        QVERIFY(spot.stake.has_value());
        QVERIFY(dialog.m_call->isVisible() && !dialog.m_guess->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F);
        QTRY_COMPARE(dialog.CurrentStage(), Stage::Revealed);
        // ByPlayers: 10 % equity heads-up.
        QCOMPARE(dialog.m_verdict->accessibleName(),
                 QStringLiteral("Verdict: ") + QString::fromStdString(drill::DecisionVerdictText(
                                                   drill::Decision::Fold, *spot.stake, 10.0)));
        QTRY_VERIFY(dialog.m_why->accessibleName().startsWith(QStringLiteral("Why: ")) &&
                    !dialog.m_why->accessibleName().contains(QStringLiteral("working")));
        QCOMPARE(QApplication::focusWidget(), dialog.m_go);
        const drill::Answer& answer = dialog.Record().Answers().back();
        QCOMPARE(answer.question, drill::Question::CallOrFold);
        QCOMPARE(answer.decision, drill::Decision::Fold);
        QCOMPARE(answer.stake.bet, spot.stake->bet);
        QVERIFY(dialog.m_recordLine->accessibleName().contains(QStringLiteral("1 decision: ")));
        Press(dialog.m_go, Qt::Key_Return); // the next call-or-fold spot
        QCOMPARE(dialog.CurrentStage(), Stage::Asking);
        QVERIFY(dialog.CurrentSpot().stake.has_value());
        QCOMPARE(QApplication::focusWidget(), dialog.m_call);
        QCOMPARE(dialog.m_why->accessibleName(), QStringLiteral("Why"));
    }

    // The main window's context menu opens the drill beside its other tools,
    // with the record in the user's data folder (here the test's own home).
    void theMainWindowOpensTheDrill() {
        CTrainerDialog window;
        window.Create();
        const QList<QAction*> actions = window.actions();
        const qsizetype at =
            testing::ActionIndex(window, QStringLiteral("Hand &Statistics...")) + 1;
        QVERIFY(at > 0 && at < actions.size());
        QCOMPARE(actions[at]->text(), QStringLiteral("Practise &Estimating..."));
        QString opened;
        Seam().QueueDialog([&opened](QDialog& shown) {
            if (qobject_cast<DrillDialog*>(&shown) != nullptr) {
                opened = shown.windowTitle();
            }
            return 2;
        });
        actions[at]->trigger();
        QCOMPARE(opened, QStringLiteral("Practise Estimating"));
        QVERIFY(QFileInfo(DefaultDrillRecordPath()).absolutePath().startsWith(QDir::homePath()));
    }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

// The drill's data folder lives in the test's own home folder.
int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication application(argc, argv);
    quillory::testing::TemporarySettings settings;
    quillory::ScopedModalSeam seam(quillory::testing::Seam());
    DrillDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DrillDialogTest.moc"
