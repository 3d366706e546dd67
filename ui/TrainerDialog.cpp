#include "ui/TrainerDialog.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/DataExchange.h"
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

// Every notification becomes one trainer operation.
void CTrainerDialog::ConnectNotifications() {
    Trainer& t = m_trainer;
    OnClicked(m_draw, [this, &t] { Handle([&] { t.OnDraw(); }); });
    OnClicked(m_flop, [this, &t] { Handle([&] { t.OnFlop(); }); });
    OnClicked(m_turn, [this, &t] { Handle([&] { t.OnTurn(); }); });
    OnClicked(m_river, [this, &t] { Handle([&] { t.OnRiver(); }); });
    OnClicked(m_showdown, [this, &t] { Handle([&] { t.OnShowdown(); }); });
    OnClicked(m_practiceMode, [this, &t] { Handle([&] { t.OnPracticeMode(); }); });
    OnClicked(m_more, [this] { OnMore(); });
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        const auto card = static_cast<CardSlot>(slot);
        OnClicked(m_fixButtons[slot], [this, &t, card] { Handle([&] { t.OnFix(card); }); });
    }
    OnChange(m_pot, [this, &t] { Handle([&] { t.OnChangeMoney(TextOf(m_pot)); }); });
    OnChange(m_invest, [this, &t] { Handle([&] { t.OnChangeMoney(TextOf(m_invest)); }); });
    OnKillFocus(m_pot, [this, &t] { Handle([&] { t.OnKillFocusPot(TextOf(m_pot)); }); });
    OnKillFocus(m_invest, [this, &t] { Handle([&] { t.OnKillFocusInvest(TextOf(m_invest)); }); });
    OnKillFocus(m_players, [this, &t] { Handle([&] { t.OnKillFocusPlayers(); }); });
}

EditText CTrainerDialog::TextOf(const QLineEdit* edit) const {
    return edit->text().isEmpty() ? EditText::Empty : EditText::Filled;
}

// The trainer's members in its exchange order, which is also the order a
// read validates them and stops at a refused entry.
void CTrainerDialog::DoDataExchange(DataExchange& dx) {
    TrainerState& s = m_trainer.State();
    dx.Text(ids::kWinningRate, s.m_strWinningRate);
    dx.Int(ids::kPlayers, s.m_nPlayers, kMinTablePlayers, kMaxTablePlayers);
    dx.Check(ids::kPracticeMode, s.m_bPracticeMode);
    dx.Text(ids::kAverageRate, s.m_strAverageRate);
    dx.Int(ids::kPot, s.m_nPot, 0, kMaxTableMoney);
    dx.Int(ids::kExpectingProfit, s.m_nExpectingProfit);
    dx.Int(ids::kInvest, s.m_nInvest, 0, kMaxTableMoney);
    dx.Int(ids::kAddUpTo, s.m_nAddUpTo);
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
    ShowHand(); // Draw alone enabled among the hand buttons
    UpdateData(false);
    Handle([this] { m_trainer.OnPracticeMode(); });
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
    UpdateDataQuietly();
    m_settings.Save();
}

} // namespace quillory
