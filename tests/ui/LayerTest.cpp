// The window layer: templates to widgets, dialog units, data exchange and
// notifications, Enter and Esc, and the modal seam.
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/AboutDialog.h"
#include "ui/CallAdvisorDialog.h"
#include "ui/CardPickerDialog.h"
#include "ui/DataExchange.h"
#include "ui/TemplateBuilder.h"
#include "ui/TemplateDialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace quillory;
using testing::Seam;

namespace {

namespace K = res;
using res::ControlKind;
using res::ControlTemplate;

// Three numbers and a check box, read in this order: A (any integer),
// B (2 to 10), check box, C (0 to 100).
constexpr std::array kFormControls{
    ControlTemplate{11, ControlKind::Edit, "", {7, 7, 40, 14}, K::kTabStop | K::kBorder, "A"},
    ControlTemplate{12, ControlKind::Edit, "", {7, 25, 40, 14}, K::kTabStop | K::kBorder, "B"},
    ControlTemplate{13, ControlKind::CheckBox, "Flag", {7, 43, 60, 10}, K::kTabStop, {}},
    ControlTemplate{14, ControlKind::Edit, "", {7, 57, 40, 14}, K::kTabStop | K::kBorder, "C"},
    ControlTemplate{15, ControlKind::PushButton, "Go", {60, 7, 40, 14}, K::kTabStop, {}},
};
constexpr res::DialogTemplate kForm{900, "Form", "Verdana",      10,
                                    120, 80,     K::kSystemMenu, kFormControls};

class FormDialog : public TemplateDialog {
public:
    FormDialog() : TemplateDialog(kForm) {}

    std::int32_t a{1};
    std::int32_t b{5};
    std::int32_t flag{};
    std::int32_t c{50};
    int reads{};
    std::vector<QString> changeLog;

    void Watch(int id) {
        OnChange(Bind<QLineEdit>(id), [this, id] {
            // A handler of a written change sees every control already written.
            changeLog.push_back(
                QStringLiteral("%1:%2/%3").arg(id).arg(GetItemText(11), GetItemText(14)));
        });
    }
    void WriteLockedOut() {
        NotificationLockout lockout(*this);
        UpdateData(false);
    }

protected:
    void DoDataExchange(DataExchange& dx) override {
        if (dx.IsSaving()) {
            ++reads;
        }
        dx.Int(11, a);
        dx.Int(12, b, 2, 10);
        dx.Check(13, flag);
        dx.Int(14, c, 0, 100);
    }
};

// A template whose caption is far wider than its box at any font.
constexpr std::array kNarrowControls{
    ControlTemplate{K::kNoId,
                    ControlKind::Label,
                    "A caption much wider than its box",
                    {4, 4, 20, 8},
                    K::kNoStyle,
                    {}},
};
constexpr res::DialogTemplate kNarrow{901, "Narrow", "NoSuchFamilyAtAll", 10, 40,
                                      16,  0,        kNarrowControls};

} // namespace

class LayerTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }

    void dialogUnitsFollowTheFontLikeWindows() {
        const BaseUnits units{7, 13};
        QCOMPARE(ToPixels({7, 53, 48, 8}, units), QRect(12, 86, 84, 13));
        QCOMPARE(ToPixels({444, 148, 1, 1}, units).topLeft(), QPoint(777, 241));
        const BaseUnits measured = MeasureBaseUnits(DialogFont("Verdana", 10));
        QVERIFY(measured.x >= 5 && measured.x <= 11);
        QCOMPARE(measured.y, QFontMetrics(DialogFont("Verdana", 10)).height());
    }

    void missingFontFallsBackToTheSystemSansAtTheSameSize() {
        const QFont font = DialogFont("NoSuchFamilyAtAll", 10);
        QCOMPARE(font.pointSize(), 10);
        QVERIFY(QFontDatabase::hasFamily(QFontInfo(font).family()));
    }

    void everyTemplateBuildsInsideItsWindowWithCaptionsUnclipped() {
        for (const res::DialogTemplate* source : res::AllDialogTemplates()) {
            TemplateDialog dialog(source->id);
            QCOMPARE(dialog.windowTitle(),
                     QString::fromUtf8(source->caption.data(), qsizetype(source->caption.size())));
            const QRect client(QPoint(0, 0), dialog.size());
            QCOMPARE(dialog.Built().controls.size(), source->controls.size());
            for (const BuiltControl& control : dialog.Built().controls) {
                const QRect expected =
                    ToPixels(control.controlTemplate->rect, dialog.Built().units);
                QCOMPARE(control.widget->geometry(), expected);
                QVERIFY2(client.contains(expected), qPrintable(control.widget->objectName()));
                QVERIFY2(CaptionWidth(*control.widget, *control.controlTemplate) <=
                             expected.width(),
                         qPrintable(QString::fromUtf8(control.controlTemplate->caption.data())));
                QVERIFY(!control.widget->accessibleName().isEmpty());
                if (control.controlTemplate->id != res::kNoId) {
                    QCOMPARE(dialog.GetDlgItem(control.controlTemplate->id), control.widget);
                }
            }
        }
    }

    void aWideFontWidensTheLayoutInsteadOfClipping() {
        TemplateDialog dialog(kNarrow);
        const BuiltControl& label = dialog.Built().controls.front();
        QVERIFY(dialog.Built().units.x > MeasureBaseUnits(dialog.font()).x);
        QVERIFY(CaptionWidth(*label.widget, *label.controlTemplate) <= label.widget->width());
        QVERIFY(dialog.width() >= label.widget->geometry().right());
    }

    void writingReplacesOnlyDifferingTextAndDeliversChangesAfterTheWrite() {
        FormDialog form;
        form.Watch(11);
        form.Watch(14);
        form.Create();
        QCOMPARE(form.GetItemText(11), QStringLiteral("1"));
        QVERIFY(form.changeLog.empty()); // the first write of start-up raises nothing

        form.a = 7;
        form.c = 9;
        form.UpdateData(false);
        // Both handlers ran once, after the whole write: each saw A and C new.
        QCOMPARE(form.changeLog, (std::vector<QString>{"11:7/9", "14:7/9"}));

        form.UpdateData(false); // nothing differs, nothing is raised
        QCOMPARE(form.changeLog.size(), std::size_t(2));

        form.a = 8;
        form.WriteLockedOut();
        QCOMPARE(form.GetItemText(11), QStringLiteral("8"));
        QCOMPARE(form.changeLog.size(), std::size_t(2));

        // The user's own typing is delivered at once.
        form.Bind<QLineEdit>(14)->setText(QStringLiteral("33"));
        QCOMPARE(form.changeLog.back(), QStringLiteral("14:8/33"));
    }

    void aFailedReadStopsAtTheControlAndFocusesIt() {
        FormDialog form;
        form.Create();
        QVERIFY(testing::Activate(form));
        form.Bind<QLineEdit>(11)->setText(QStringLiteral("-4"));
        form.Bind<QCheckBox>(13)->setChecked(true);
        form.Bind<QLineEdit>(14)->setText(QStringLiteral("77"));

        form.Bind<QLineEdit>(12)->setText(QString());
        QVERIFY(!form.UpdateData(true));
        QCOMPARE(form.a, -4);   // before the failure: read
        QCOMPARE(form.b, 5);    // not an integer: kept
        QCOMPARE(form.flag, 0); // after it: kept
        QCOMPARE(form.c, 50);
        QCOMPARE(Seam().Messages().back().text, QStringLiteral("Please enter an integer."));
        QCOMPARE(Seam().Messages().back().icon, MessageIcon::Warning);
        QCOMPARE(QApplication::focusWidget(), form.GetDlgItem(12));

        form.Bind<QLineEdit>(12)->setText(QStringLiteral("11"));
        QVERIFY(!form.UpdateData(true));
        QCOMPARE(form.b, 11); // parsed, out of range: stored all the same
        QCOMPARE(form.flag, 0);
        QCOMPARE(Seam().Messages().back().text,
                 QStringLiteral("Please enter an integer between 2 and 10."));

        form.Bind<QLineEdit>(12)->setText(QStringLiteral(" 10 "));
        QVERIFY(form.UpdateData(true));
        QCOMPARE(form.flag, 1);
        QCOMPARE(form.c, 77);
        QCOMPARE(Seam().Messages().size(), std::size_t(2));
    }

    void enterAcceptsOnlyAfterAGoodReadAndEscapeNeverReads() {
        FormDialog form;
        form.Create();
        QVERIFY(testing::Activate(form));
        auto* b = form.Bind<QLineEdit>(12);
        b->setFocus();
        b->setText(QStringLiteral("1"));
        QTest::keyClick(b, Qt::Key_Return);
        QVERIFY(!form.IsEnded());
        QCOMPARE(Seam().Messages().size(), std::size_t(1));

        b->setText(QStringLiteral("3"));
        QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(form.IsEnded());
        QCOMPARE(form.result(), res::kIdOk);
        QCOMPARE(form.b, 3);

        FormDialog other;
        other.Create();
        QVERIFY(testing::Activate(other));
        const int readsBefore = other.reads;
        other.Bind<QLineEdit>(12)->setText(QStringLiteral("99"));
        QTest::keyClick(other.GetDlgItem(12), Qt::Key_Escape);
        QVERIFY(other.IsEnded());
        QCOMPARE(other.result(), res::kIdCancel);
        QCOMPARE(other.reads, readsBefore);
        QCOMPARE(other.b, 5);
    }

    void aFocusedButtonTakesEnterAndNoButtonIsMadeDefault() {
        FormDialog form;
        int clicks = 0;
        QObject::connect(form.Bind<QPushButton>(15), &QPushButton::clicked,
                         [&clicks] { ++clicks; });
        form.Create();
        QVERIFY(testing::Activate(form));
        QVERIFY(!form.Bind<QPushButton>(15)->isDefault());
        form.GetDlgItem(15)->setFocus();
        QTest::keyClick(form.GetDlgItem(15), Qt::Key_Return);
        QCOMPARE(clicks, 1);
        QVERIFY(!form.IsEnded());
        // Back in an edit, Enter accepts the dialog rather than pressing the button.
        form.GetDlgItem(14)->setFocus();
        QTest::keyClick(form.GetDlgItem(14), Qt::Key_Return);
        QCOMPARE(clicks, 1);
        QVERIFY(form.IsEnded());
    }

    void templateOneAndTwoButtonsAcceptAndCancel() {
        CAboutDialog about;
        Seam().QueueDialog([](QDialog& dialog) {
            static_cast<CAboutDialog&>(dialog).m_ok->click();
            return dialog.result();
        });
        QCOMPARE(about.DoModal(), res::kIdOk);

        CCardPickerDialog picker(1);
        Seam().QueueDialog([](QDialog& dialog) {
            static_cast<CCardPickerDialog&>(dialog).m_cancel->click();
            return dialog.result();
        });
        QCOMPARE(picker.DoModal(), res::kIdCancel);

        // A dialog that nobody ends comes back as cancelled.
        CCallAdvisorDialog advisor;
        QCOMPARE(advisor.DoModal(), res::kIdCancel);
        QCOMPARE(Seam().UnexpectedDialogs(), 1);
        QCOMPARE(Seam().Calls(), 3);
    }

    // A control the template lacks, or one of another kind, is a fault of the
    // program: binding it stops the program instead of doing nothing later.
    void bindingAMissingOrMistypedControlStopsTheProgram() {
#ifdef Q_OS_UNIX
        FormDialog form;
        QCOMPARE(form.Bind<QLineEdit>(11), form.GetDlgItem(11));
        const auto stops = [](const std::function<void(FormDialog&)>& bind) {
            const pid_t child = fork();
            if (child == 0) {
                // The plain fatal message and abort, without the test framework's report.
                qInstallMessageHandler(nullptr);
                std::signal(SIGABRT, SIG_DFL);
                FormDialog doomed;
                bind(doomed);
                _exit(0);
            }
            int status = 0;
            waitpid(child, &status, 0);
            return WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT;
        };
        QVERIFY(stops([](FormDialog& dialog) { dialog.Bind<QLineEdit>(99); }));
        QVERIFY(stops([](FormDialog& dialog) { dialog.Bind<QCheckBox>(11); }));
#endif
    }

    void scopedSeamRestoresThePreviousOne() {
        testing::ScriptedModalSeam inner;
        {
            ScopedModalSeam scope(inner);
            ShowMessageBox(nullptr, QStringLiteral("inside"), MessageIcon::Information);
        }
        ShowMessageBox(nullptr, QStringLiteral("outside"), MessageIcon::Information);
        QCOMPARE(inner.Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().back().text, QStringLiteral("outside"));
        QCOMPARE(Seam().Messages().back().title, QStringLiteral("Quillory"));
    }
};

QUILLORY_UI_TEST_MAIN(LayerTest)
#include "LayerTest.moc"
