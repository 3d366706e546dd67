#include "ui/TrainerDialog.h"

#include "res/ResourceIds.h"
#include "ui/CardSlotView.h"
#include "ui/DialogLayout.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>

namespace quillory {
namespace {

namespace ids = res::trainer;

// A whole-number edit; a figure the user cannot change sits on the window's
// colour, not on the white of an entry field, and takes the focus only by a
// click (to select and copy it).
// Each control with an id is named after it, so that Item(id) finds it.
QLineEdit* NumberEdit(QWidget& parent, int id, const QString& name, QLabel* label,
                      bool figure = false) {
    QLineEdit* edit = layout::DigitsEdit(parent, name, label);
    edit->setObjectName(QString::number(id));
    if (figure) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QPushButton* Button(QWidget& parent, int id, const QString& caption, const QString& name = {}) {
    auto* button = new QPushButton(caption, &parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false); // the window gives Enter to a focused button itself
    if (!name.isEmpty()) {
        button->setAccessibleName(name);
    }
    return button;
}

} // namespace

CTrainerDialog::CTrainerDialog(QWidget* parent, DealSeeds seeds)
    : QDialog(parent), m_hIcon(ProgramIcon()), m_trainer(*this, std::move(seeds)) {
    BuildControls();
    ConnectNotifications();
    AddHelpAction();
    AddWindowCommands();
}

// Nothing to do here: the settings store writes on its own if the window
// never closed.
CTrainerDialog::~CTrainerDialog() = default;

void CTrainerDialog::BuildControls() {
    QLabel* rateLabel = layout::PlainLabel(*this, QStringLiteral("Winning rate:"));
    m_winningRate = layout::PlainLabel(*this, QStringLiteral("Possibility"));
    m_winningRate->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_winningRate->setIndent(4);
    m_winningRate->setAccessibleName(QStringLiteral("Winning rate"));
    m_winningRate->setObjectName(QString::number(ids::kWinningRate));
    m_practiceMode = new QCheckBox(QStringLiteral("Practice mode"), this);
    m_practiceMode->setObjectName(QString::number(ids::kPracticeMode));
    QLabel* playersLabel =
        layout::PlainLabel(*this, QStringLiteral("# of Players (including yourself):"));
    m_players = NumberEdit(*this, ids::kPlayers,
                           QStringLiteral("Number of players including yourself"), playersLabel);
    m_draw = Button(*this, ids::kDraw, QStringLiteral("&Draw"));
    m_flop = Button(*this, ids::kFlop, QStringLiteral("&Flop"));
    m_turn = Button(*this, ids::kTurn, QStringLiteral("&Turn"));
    m_river = Button(*this, ids::kRiver, QStringLiteral("&River"));
    m_showdown = Button(*this, ids::kShowdown, QStringLiteral("&Showdown"));
    m_listHands = new QTableWidget(0, 2, this);
    m_listHands->setAccessibleName(QStringLiteral("Hands and results"));
    m_listHands->setObjectName(QString::number(ids::kHands));
    m_listHands->setFocusPolicy(Qt::ClickFocus);
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        m_cardViews[slot] = new CardSlotView(m_cardImages, this);
        m_cardViews[slot]->setAccessibleName(QString::fromUtf8(kCardSlotNames[slot]));
        m_cardViews[slot]->setObjectName(QString::number(ids::kHole1 + static_cast<int>(slot)));
    }
    m_averageRate = layout::PlainLabel(*this, QStringLiteral("-"));
    m_averageRate->setAccessibleName(QStringLiteral("Average winning rate"));
    m_averageRate->setObjectName(QString::number(ids::kAverageRate));
    QLabel* averageLabel = layout::PlainLabel(*this, QStringLiteral("Average winning rate:"));
    QLabel* potLabel = layout::PlainLabel(*this, QStringLiteral("&Pot:"));
    m_pot = NumberEdit(*this, ids::kPot, QStringLiteral("Pot"), potLabel);
    QLabel* investLabel = layout::PlainLabel(*this, QStringLiteral("Your &Invest.:"));
    m_invest = NumberEdit(*this, ids::kInvest, QStringLiteral("Your investment"), investLabel);
    QLabel* profitLabel = layout::PlainLabel(*this, QStringLiteral("Expecting Profit:"));
    m_expectingProfit = NumberEdit(*this, ids::kExpectingProfit, QStringLiteral("Expected profit"),
                                   profitLabel, true);
    QLabel* addLabel = layout::PlainLabel(*this, QStringLiteral("You can add upto:"));
    m_addUpTo =
        NumberEdit(*this, ids::kAddUpTo, QStringLiteral("You can add up to"), addLabel, true);
    m_more = Button(*this, ids::kMore, QStringLiteral("&More..."),
                    QStringLiteral("Export hand statistics"));
    m_more->setHidden(true);
    m_more->setEnabled(false);
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        m_fixButtons[slot] =
            Button(*this, ids::kFixHole1 + static_cast<int>(slot), QStringLiteral("Fix"),
                   QString::fromUtf8(kFixButtonNames[slot]));
    }

    const auto fix = [this](std::size_t slot) { return m_fixButtons[slot]; };
    const auto card = [this](std::size_t slot) { return m_cardViews[slot]; };
    layout::PlaceControls(
        *this, QStringLiteral("Quillory"), layout::DialogFont("Verdana", 10),
        {{rateLabel, {7, 53, 48, 8}},       {m_winningRate, {7, 63, 50, 14}},
         {m_practiceMode, {7, 7, 102, 10}}, {playersLabel, {130, 7, 112, 8}},
         {m_players, {249, 7, 42, 14}},     {m_draw, {7, 33, 50, 14}},
         {m_flop, {63, 33, 50, 14}},        {m_turn, {119, 33, 50, 14}},
         {m_river, {178, 33, 50, 14}},      {m_showdown, {242, 33, 63, 14}},
         {m_listHands, {342, 7, 95, 134}},  {card(0), {7, 81, 46, 48}},
         {card(1), {52, 81, 46, 48}},       {card(2), {112, 81, 46, 48}},
         {card(3), {157, 81, 46, 48}},      {card(4), {202, 81, 46, 48}},
         {card(5), {247, 81, 46, 48}},      {card(6), {292, 81, 46, 48}},
         {m_averageRate, {221, 20, 70, 8}}, {averageLabel, {129, 20, 82, 8}},
         {potLabel, {73, 53, 36, 8}},       {m_pot, {73, 63, 50, 14}},
         {investLabel, {129, 53, 45, 8}},   {m_invest, {129, 63, 50, 14}},
         {profitLabel, {185, 53, 57, 8}},   {m_expectingProfit, {185, 63, 56, 14}},
         {addLabel, {247, 53, 67, 8}},      {m_addUpTo, {247, 63, 56, 14}},
         {m_more, {307, 63, 31, 14}},       {fix(0), {7, 131, 34, 10}},
         {fix(1), {52, 131, 34, 10}},       {fix(2), {112, 131, 34, 10}},
         {fix(3), {157, 131, 34, 10}},      {fix(4), {203, 131, 34, 10}},
         {fix(5), {248, 131, 34, 10}},      {fix(6), {292, 131, 34, 10}}},
        444, 148);
}

QWidget* CTrainerDialog::Item(int id) const {
    return findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

FieldTexts CTrainerDialog::Fields() const {
    return {m_players->text().toStdString(), m_practiceMode->isChecked(),
            m_pot->text().toStdString(), m_invest->text().toStdString()};
}

void CTrainerDialog::Send(Command command, CardSlot slot) {
    m_trainer.Apply(command, Fields(), slot);
}

void CTrainerDialog::Create() {
    Start();
    if (!m_ended) {
        show();
    }
}

int CTrainerDialog::DoModal() {
    Start();
    if (!m_ended) {
        RunModalDialog(*this);
        done(res::kIdCancel); // ends it where the seam returned without an end
    }
    return result();
}

void CTrainerDialog::Start() {
    if (m_started) {
        return;
    }
    m_started = true;
    AddAboutEntry(QString::fromUtf8(res::kAboutItem));
    setWindowIcon(m_hIcon);
    m_settings.Load();
    m_cardStrip = LoadCardStrip();
    m_cardImages.Add(m_cardStrip.normal, m_cardStrip.doubleDensity);
    LayOutLists();
    ShowState();
    Send(Command::PracticeMode);
    m_practiceMode->setFocus(Qt::TabFocusReason);
    m_showFocusOnActivation = true;
}

void CTrainerDialog::LayOutLists() {
    QTableWidget& hands = *m_listHands;
    hands.setHorizontalHeaderLabels({QStringLiteral("Hands"), QStringLiteral("Result")});
    hands.setColumnWidth(0, 90);
    hands.setColumnWidth(1, 90);
    layout::MakeRowList(hands);
    hands.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    hands.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Disabled (entry mode), the list keeps its text readable: the disabled
    // colours are the normal ones.
    QPalette readable = hands.palette();
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::Base, QPalette::WindowText,
                                           QPalette::Highlight, QPalette::HighlightedText}) {
        readable.setColor(QPalette::Disabled, role, readable.color(QPalette::Active, role));
    }
    hands.setPalette(readable);
}

// Enter closes the window only when every field reads.
void CTrainerDialog::accept() {
    if (m_trainer.Read(Fields())) {
        done(res::kIdOk);
    }
}

void CTrainerDialog::reject() {
    done(res::kIdCancel);
}

// The window is gone: a refused entry is not reported, and the count that is
// stored is always one the next start accepts as it stands.
void CTrainerDialog::done(int result) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_pendingLeaves.clear();
    QDialog::done(result);
    m_trainer.TakeFieldsQuietly(Fields());
    m_settings.Save();
}

} // namespace quillory
