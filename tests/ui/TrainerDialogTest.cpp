// The main window: start-up, settings, closing, the About box and help.
#include "ui/TrainerDialog.h"

#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/AboutDialog.h"
#include "ui/CardSlotView.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace quillory;
using testing::Seam;
using testing::TemporarySettings;
using testing::Type;
namespace ids = res::trainer;

namespace {

const QString kModeKey = QStringLiteral("Setting/Demonstration");
const QString kPlayersKey = QStringLiteral("Setting/NumPlayers");

QString Edit(const CTrainerDialog& dialog, int id) {
    return testing::ShownText(dialog, id);
}

} // namespace

class TrainerDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Seam().Reset();
        TemporarySettings::Clear();
    }

    void cleanup() { QCOMPARE(Seam().UnexpectedDialogs(), 0); }

    void settingsLiveUnderTheCompanyAndTheProgramName() {
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Morvelle Software"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("ui_trainer_tests"));
    }

    void firstStartOpensInPracticeModeWithFourPlayers() {
        CTrainerDialog dialog;
        dialog.Create();
        QVERIFY(testing::Activate(dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quillory"));
        QCOMPARE(dialog.State().m_bPracticeMode, 1);
        QCOMPARE(dialog.State().m_nPlayers, 4);
        QVERIFY(testing::Control<QCheckBox>(dialog, ids::kPracticeMode)->isChecked());
        QCOMPARE(Edit(dialog, ids::kPlayers), QStringLiteral("4"));
        QCOMPARE(Edit(dialog, ids::kAverageRate), QStringLiteral("25-27 %"));
        QCOMPARE(Edit(dialog, ids::kPot), QStringLiteral("40"));
        QCOMPARE(Edit(dialog, ids::kInvest), QStringLiteral("10"));
        QCOMPARE(Edit(dialog, ids::kExpectingProfit), QStringLiteral("0"));
        QCOMPARE(Edit(dialog, ids::kAddUpTo), QStringLiteral("0"));
        QCOMPARE(Edit(dialog, ids::kWinningRate), QString());
        QVERIFY(dialog.Item(ids::kDraw)->isEnabled());
        QVERIFY(!dialog.Item(ids::kFlop)->isEnabled());
        QVERIFY(!dialog.Item(ids::kTurn)->isEnabled());
        QVERIFY(!dialog.Item(ids::kRiver)->isEnabled());
        QVERIFY(dialog.Item(ids::kShowdown)->isEnabled());
        QVERIFY(dialog.Item(ids::kHands)->isEnabled());
        QVERIFY(!dialog.Item(ids::kFixHole1)->isEnabled());
        QVERIFY(dialog.Item(ids::kMore)->isHidden());
        QVERIFY(!dialog.Item(ids::kMore)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), dialog.Item(ids::kPracticeMode));
        QCOMPARE(dialog.State().m_firstCards.size(), std::size_t(4));
        QCOMPARE(dialog.State().m_secondCards.size(), std::size_t(4));
        for (const Card& card : dialog.State().m_board) {
            QCOMPARE(card, kNoCard);
        }
        QVERIFY(Seam().Messages().empty());
    }

    // F1 names every entry of the context menu and how to open it.
    void helpNamesTheContextMenusEntries() {
        CTrainerDialog dialog;
        dialog.Create();
        dialog.OnHelp();
        const QString help = Seam().Messages().back().text;
        for (const char* entry : {"Should I Call?", "Hand Statistics", "Practise Estimating",
                                  "About Quillory", "Shift+F10"}) {
            QVERIFY2(help.contains(QString::fromLatin1(entry)), entry);
        }
        QVERIFY(!help.contains(QStringLiteral("...")));
    }

    void windowMatchesItsTemplate() {
        CTrainerDialog dialog;
        dialog.Create();
        const auto* hands = testing::Control<QTableWidget>(dialog, ids::kHands);
        QCOMPARE(hands->columnCount(), 2);
        QCOMPARE(hands->horizontalHeaderItem(0)->text(), QStringLiteral("Hands"));
        QCOMPARE(hands->horizontalHeaderItem(1)->text(), QStringLiteral("Result"));
        QCOMPARE(hands->columnWidth(0), 90);
        QCOMPARE(hands->columnWidth(1), 90);
        QVERIFY(hands->showGrid());
        QCOMPARE(hands->selectionBehavior(), QAbstractItemView::SelectRows);
        // Every card view shows the window's one set of the 52 pictures.
        const auto* first = testing::Control<CardSlotView>(dialog, ids::kHole1);
        QCOMPARE(first->Images().Count(), 52);
        for (int id = ids::kHole1; id <= ids::kRiverCard; ++id) {
            const auto* view = testing::Control<CardSlotView>(dialog, id);
            QCOMPARE(view->columnCount(), 1);
            QCOMPARE(&view->Images(), &first->Images());
            QCOMPARE(view->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(dialog.Item(ids::kHole1)->accessibleName(), QStringLiteral("Your first card"));
        QCOMPARE(dialog.Item(ids::kFixRiver)->accessibleName(),
                 QStringLiteral("Fix the river card"));

        // Tab order: the check box, the players edit, the five hand buttons,
        // pot, investment, then the seven Fix buttons.
        const std::vector<int> order{ids::kPracticeMode, ids::kPlayers, ids::kDraw,     ids::kFlop,
                                     ids::kTurn,         ids::kRiver,   ids::kShowdown, ids::kPot,
                                     ids::kInvest,       ids::kMore,    ids::kFixHole1};
        const auto nextTabStop = [](QWidget* from) {
            QWidget* next = from->nextInFocusChain();
            while ((next->focusPolicy() & Qt::TabFocus) == 0) {
                next = next->nextInFocusChain();
            }
            return next;
        };
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            QCOMPARE(nextTabStop(dialog.Item(order[i])), dialog.Item(order[i + 1]));
        }
        QCOMPARE(dialog.Item(ids::kExpectingProfit)->focusPolicy(), Qt::ClickFocus);

        // Labels lend their mnemonics to the edits after them.
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("&Pot:")) {
                QCOMPARE(label->buddy(), dialog.Item(ids::kPot));
            } else if (label->text() == QStringLiteral("Your &Invest.:")) {
                QCOMPARE(label->buddy(), dialog.Item(ids::kInvest));
            }
        }
    }

    void settingsAreWrittenOnCloseAndReadOnTheNextStart() {
        {
            CTrainerDialog dialog;
            dialog.Create();
            QVERIFY(testing::Activate(dialog));
            testing::Control<QCheckBox>(dialog, ids::kPracticeMode)->click();
            Type(testing::Control<QLineEdit>(dialog, ids::kPlayers), QStringLiteral("7"));
            dialog.Model().Apply(Command::LeavePlayers, dialog.Fields());
            QTest::keyClick(dialog.Item(ids::kPlayers), Qt::Key_Escape);
            QVERIFY(dialog.IsEnded());
            QCOMPARE(dialog.result(), res::kIdCancel);
        }
        QCOMPARE(TemporarySettings::Read(kModeKey).toInt(), 0);
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 7);

        CTrainerDialog next;
        next.Create();
        QCOMPARE(next.State().m_bPracticeMode, 0);
        QCOMPARE(next.State().m_nPlayers, 7);
        QCOMPARE(Edit(next, ids::kPot), QStringLiteral("70"));
        QCOMPARE(Edit(next, ids::kAverageRate), QStringLiteral("15-16 %"));
        QVERIFY(next.Item(ids::kFixTurn)->isEnabled());
        QVERIFY(!next.Item(ids::kShowdown)->isEnabled());
        QVERIFY(!next.Item(ids::kHands)->isEnabled());
    }

    void enterInThePotEditClosesAfterAGoodReadAndStoresTheSettings() {
        TemporarySettings::Write(kPlayersKey, 3);
        CTrainerDialog dialog;
        dialog.Create();
        QVERIFY(testing::Activate(dialog));
        // A push button that had the focus must not take Enter from the edit.
        dialog.Item(ids::kDraw)->setFocus();
        auto* pot = testing::Control<QLineEdit>(dialog, ids::kPot);
        Type(pot, QStringLiteral("20000000"));
        QTest::keyClick(pot, Qt::Key_Return);
        QVERIFY(!dialog.IsEnded());
        QCOMPARE(Seam().Messages().back().text,
                 QStringLiteral("Please enter an integer between 0 and 10000000."));
        QCOMPARE(QApplication::focusWidget(), pot);

        Type(testing::Control<QLineEdit>(dialog, ids::kPlayers), QStringLiteral("9"));
        Type(pot, QStringLiteral("250"));
        QTest::keyClick(pot, Qt::Key_Return);
        QVERIFY(dialog.IsEnded());
        QCOMPARE(dialog.result(), res::kIdOk);
        QCOMPARE(dialog.State().m_nPot, 250);
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 9);
        QCOMPARE(TemporarySettings::Read(kModeKey).toInt(), 1);
    }

    void enterOnAFocusedButtonPressesItAndKeepsTheWindow() {
        CTrainerDialog dialog;
        dialog.Create();
        QVERIFY(testing::Activate(dialog));
        dialog.Item(ids::kDraw)->setFocus();
        QTest::keyClick(dialog.Item(ids::kDraw), Qt::Key_Return);
        QVERIFY(!dialog.IsEnded());
        QCOMPARE(dialog.State().m_rows.size(), std::size_t(1)); // the user's row after Draw
    }

    void everyWayOfClosingWritesTheSettings() {
        {
            CTrainerDialog dialog;
            dialog.Create();
            testing::Control<QLineEdit>(dialog, ids::kPlayers)->setText(QStringLiteral("5"));
            dialog.close(); // the close box
            QVERIFY(dialog.IsEnded());
            QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 5);
            TemporarySettings::Write(kPlayersKey, 9); // written once: not again when destroyed
        }
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 9);
        {
            CTrainerDialog dialog;
            dialog.Create();
            testing::Control<QLineEdit>(dialog, ids::kPlayers)->setText(QStringLiteral("6"));
            dialog.Model().Apply(Command::LeavePlayers, dialog.Fields());
        } // destroyed without ending
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 6);
        {
            // The modal run, ended by a script as the user would end it.
            CTrainerDialog dialog;
            Seam().QueueDialog([](QDialog& shown) {
                auto& window = static_cast<CTrainerDialog&>(shown);
                testing::Control<QLineEdit>(window, ids::kPlayers)->setText(QStringLiteral("8"));
                window.reject();
                return window.result();
            });
            QCOMPARE(dialog.DoModal(), res::kIdCancel);
        }
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 8);
        QVERIFY(Seam().Messages().empty());
    }

    void closingWithARefusedCountStoresAValidOneQuietly() {
        CTrainerDialog dialog;
        dialog.Create();
        QVERIFY(testing::Activate(dialog));
        Type(testing::Control<QLineEdit>(dialog, ids::kPlayers), QStringLiteral("1"));
        QTest::keyClick(dialog.Item(ids::kPlayers), Qt::Key_Escape);
        QVERIFY(dialog.IsEnded());
        QCoreApplication::processEvents();
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 2);
        QVERIFY(Seam().Messages().empty());
    }

    void storedValuesOutsideTheirRangeStartAtTheNearestValidOne_data() {
        QTest::addColumn<QVariant>("storedCount");
        QTest::addColumn<QVariant>("storedMode");
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("mode");
        QTest::newRow("0") << QVariant(0) << QVariant(1) << 2 << 1;
        QTest::newRow("55") << QVariant(55) << QVariant(0) << 10 << 0;
        QTest::newRow("abc") << QVariant("abc") << QVariant("abc") << 4 << 1;
        QTest::newRow("-3") << QVariant(-3) << QVariant(7) << 2 << 1;
        QTest::newRow("huge") << QVariant("99999999999999999999") << QVariant(0) << 10 << 0;
        QTest::newRow("7") << QVariant(" 7 ") << QVariant() << 7 << 1;
        QTest::newRow("empty") << QVariant("") << QVariant("") << 4 << 1;
    }

    void storedValuesOutsideTheirRangeStartAtTheNearestValidOne() {
        QFETCH(QVariant, storedCount);
        QFETCH(QVariant, storedMode);
        QFETCH(int, players);
        QFETCH(int, mode);
        TemporarySettings::Write(kPlayersKey, storedCount);
        if (storedMode.isValid()) {
            TemporarySettings::Write(kModeKey, storedMode);
        }
        CTrainerDialog dialog;
        dialog.Create();
        QCOMPARE(dialog.State().m_nPlayers, players);
        QCOMPARE(dialog.State().m_bPracticeMode, mode);
        QCOMPARE(dialog.State().m_firstCards.size(), std::size_t(players));
        QCOMPARE(Edit(dialog, ids::kPot), QString::number(10 * players));
        QVERIFY(Seam().Messages().empty());
    }

    void theAboutItemOpensTheAboutBox() {
        CTrainerDialog dialog;
        dialog.Create();
        QString caption;
        QString version;
        Seam().QueueDialog([&](QDialog& shown) {
            auto& about = dynamic_cast<CAboutDialog&>(shown);
            caption = about.windowTitle();
            version = about.findChild<QLabel*>(QStringLiteral("label"))->text();
            QTest::keyClick(&about, Qt::Key_Return); // OK is the default button
            return about.result();
        });
        QVERIFY(dialog.OnSysCommand(res::kAboutCommand | 0x2)); // low bits are the system's
        QCOMPARE(caption, QStringLiteral("About Quillory"));
        QCOMPARE(version, QStringLiteral("Quillory Version 1.0"));
        QVERIFY(!dialog.OnSysCommand(0xF060)); // other commands go to the platform
        QCOMPARE(Seam().DialogTitles().size(), std::size_t(1));

#ifndef Q_OS_WIN
        // Without a system menu the context menu carries the item, after a separator.
        const QList<QAction*> actions = dialog.actions();
        const qsizetype at = testing::ActionIndex(dialog, QStringLiteral("&About Quillory..."));
        QVERIFY(at > 0 && actions[at - 1]->isSeparator());
        QAction* about = actions[at];
        QCOMPARE(dialog.contextMenuPolicy(), Qt::ActionsContextMenu);
        Seam().QueueDialog([](QDialog& shown) {
            shown.reject();
            return shown.result();
        });
        about->trigger();
        QCOMPARE(Seam().DialogTitles().back(), QStringLiteral("About Quillory"));
#endif
    }

    void helpKeyShowsTheHelpText() {
        CTrainerDialog dialog;
        dialog.Create();
        QVERIFY(testing::Activate(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().icon, MessageIcon::Information);
        QVERIFY(Seam().Messages().front().text.contains(QStringLiteral("Practice mode")));
        QVERIFY(!dialog.IsEnded());
    }
};

QUILLORY_UI_TEST_MAIN(TrainerDialogTest)
#include "TrainerDialogTest.moc"
