#include "ui/TrainerDialog.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/ListView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace quillory {
namespace {

namespace ids = res::trainer;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CTrainerDialog::CTrainerDialog(QWidget* parent, DealSeeds seeds)
    : TemplateDialog(res::kTrainerDialog, parent), m_hIcon(ProgramIcon()),
      m_trainer(*this, std::move(seeds)) {
    BindControls();
    ConnectNotifications();
    AddHelpAction();
    AddWindowCommands();
}

// Nothing to do here: the settings store writes on its own if the window
// never closed.
CTrainerDialog::~CTrainerDialog() = default;

void CTrainerDialog::BindControls() {
    m_listHands = Bind<ListView>(ids::kHands);
    m_cardViews = {Bind<ListView>(ids::kHole1),    Bind<ListView>(ids::kHole2),
                   Bind<ListView>(ids::kFlop1),    Bind<ListView>(ids::kFlop2),
                   Bind<ListView>(ids::kFlop3),    Bind<ListView>(ids::kTurnCard),
                   Bind<ListView>(ids::kRiverCard)};
    m_players = Bind<QLineEdit>(ids::kPlayers);
    m_pot = Bind<QLineEdit>(ids::kPot);
    m_invest = Bind<QLineEdit>(ids::kInvest);
    m_practiceMode = Bind<QCheckBox>(ids::kPracticeMode);
    m_draw = Bind<QPushButton>(ids::kDraw);
    m_flop = Bind<QPushButton>(ids::kFlop);
    m_turn = Bind<QPushButton>(ids::kTurn);
    m_river = Bind<QPushButton>(ids::kRiver);
    m_showdown = Bind<QPushButton>(ids::kShowdown);
    const std::array fixIds{ids::kFixHole1, ids::kFixHole2, ids::kFixFlop1, ids::kFixFlop2,
                            ids::kFixFlop3, ids::kFixTurn,  ids::kFixRiver};
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        m_fixButtons[slot] = Bind<QPushButton>(fixIds[slot]);
    }
    Bind<QLabel>(ids::kWinningRate);
    Bind<QLabel>(ids::kAverageRate);
    Bind<QLineEdit>(ids::kExpectingProfit);
    Bind<QLineEdit>(ids::kAddUpTo);
    m_more = Bind<QPushButton>(ids::kMore);
}

// Every notification becomes one trainer command.
void CTrainerDialog::ConnectNotifications() {
    OnClicked(m_draw, [this] { Send(Command::Draw); });
    OnClicked(m_flop, [this] { Send(Command::Flop); });
    OnClicked(m_turn, [this] { Send(Command::Turn); });
    OnClicked(m_river, [this] { Send(Command::River); });
    OnClicked(m_showdown, [this] { Send(Command::Showdown); });
    OnClicked(m_practiceMode, [this] { Send(Command::PracticeMode); });
    OnClicked(m_more, [this] { OnMore(); });
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        const auto card = static_cast<CardSlot>(slot);
        OnClicked(m_fixButtons[slot], [this, card] { Send(Command::Fix, card); });
    }
    OnChange(m_pot, [this] { Send(Command::EditPot); });
    OnChange(m_invest, [this] { Send(Command::EditInvest); });
    OnKillFocus(m_pot, [this] { Send(Command::LeavePot); });
    OnKillFocus(m_invest, [this] { Send(Command::LeaveInvest); });
    OnKillFocus(m_players, [this] { Send(Command::LeavePlayers); });
}

FieldTexts CTrainerDialog::Fields() const {
    return {m_players->text().toStdString(), m_practiceMode->isChecked(),
            m_pot->text().toStdString(), m_invest->text().toStdString()};
}

void CTrainerDialog::Send(Command command, CardSlot slot) {
    m_trainer.Apply(command, Fields(), slot);
}

// Enter closes the window only when every field reads.
void CTrainerDialog::OnOK() {
    if (m_trainer.Read(Fields())) {
        done(res::kIdOk);
    }
}

bool CTrainerDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    if (const QString about = Text(res::LoadResourceString(res::kAboutString)); !about.isEmpty()) {
        AddAboutEntry(about);
    }
    setWindowIcon(m_hIcon);
    m_settings.Load();
    m_cardStrip = LoadCardStrip();
    m_cardImages.Clear();
    m_cardImages.Add(m_cardStrip.normal, m_cardStrip.doubleDensity);
    LayOutLists();
    ShowState();
    Send(Command::PracticeMode);
    return true;
}

void CTrainerDialog::LayOutLists() {
    constexpr std::uint32_t kGridAndFullRow = ListView::kGridLines | ListView::kFullRowSelect;
    m_listHands->InsertColumn(0, QStringLiteral("Hands"), Qt::AlignLeft, 90);
    m_listHands->InsertColumn(1, QStringLiteral("Result"), Qt::AlignLeft, 90);
    m_listHands->SetExtendedStyle(kGridAndFullRow);
    for (ListView* view : m_cardViews) {
        view->InsertColumn(0, QString(), Qt::AlignLeft, 85);
        view->SetImageList(&m_cardImages);
        view->SetExtendedStyle(kGridAndFullRow);
    }
}

// The window is gone: a refused entry is not reported, and the count that is
// stored is always one the next start accepts as it stands.
void CTrainerDialog::OnDestroy() {
    m_trainer.TakeFieldsQuietly(Fields());
    m_settings.Save();
}

} // namespace quillory
