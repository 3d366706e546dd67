#include "ui/equity/EquityWindow.h"

#include "ui/equity/EquityInput.h"
#include "ui/equity/EquityPicture.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillory {

EquityWindow::EquityWindow(QWidget* parent, Compute compute)
    : QDialog(parent), m_compute(compute ? std::move(compute) : Compute(ComputeEquity)) {
    setWindowTitle(QStringLiteral("Equity Calculator"));
    m_players = new QSpinBox(this);
    m_players->setRange(2, kMaxEquityPlayers);
    m_players->setAccessibleName(QStringLiteral("Players"));
    auto* playersLabel = new QLabel(QStringLiteral("P&layers:"), this);
    playersLabel->setBuddy(m_players);
    auto* top = new QHBoxLayout;
    top->addWidget(playersLabel);
    top->addWidget(m_players);
    top->addStretch(1);

    m_calculate = new QPushButton(QStringLiteral("&Calculate"), this);
    m_calculate->setDefault(true);
    m_stop = new QPushButton(QStringLiteral("&Stop"), this);
    m_stop->setEnabled(false);
    m_stop->setAutoDefault(false);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->hide();
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setAccessibleName(QStringLiteral("Status"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    auto* actions = new QHBoxLayout;
    actions->addWidget(m_calculate);
    actions->addWidget(m_stop);
    actions->addWidget(m_progress, 1);
    actions->addWidget(close);

    // The question and the figures on the left, the picture on the right, so
    // ten players and the picture fit a small screen.
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(BuildSeats());
    left->addWidget(BuildCards());
    left->addLayout(actions);
    left->addWidget(m_status);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(12);
    layout->addWidget(BuildResults());

    connect(m_players, &QSpinBox::valueChanged, this, [this](int n) { SetPlayers(n); });
    connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { Stop(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    SetPlayers(2);
    // Tab goes down the window: players, each seat and its range button, the
    // cards, the run, the picture.
    std::vector<QWidget*> order{m_players};
    for (int seat = 0; seat < kMaxEquityPlayers; ++seat) {
        order.push_back(m_seats[seat]);
        order.push_back(m_rangeButtons[seat]);
    }
    order.insert(order.end(), {m_board, m_pickBoard, m_dead, m_pickDead, m_calculate, m_stop,
                               m_pictureSeat, m_savePicture, close});
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    m_seats[0]->setFocus();
}

EquityWindow::~EquityWindow() {
    if (m_thread != nullptr) {
        m_stopFlag->store(true);
        m_thread->wait();
    }
}

QWidget* EquityWindow::BuildSeats() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList heads = {QString(),
                               QString(),
                               QString(),
                               QStringLiteral("Equity"),
                               QStringLiteral("Win"),
                               QStringLiteral("Tie"),
                               QStringLiteral("Combos"),
                               QStringLiteral("How found")};
    for (int column = 3; column < heads.size(); ++column) {
        grid->addWidget(new QLabel(heads[column], box), 0, column);
    }
    for (int seat = 0; seat < kMaxEquityPlayers; ++seat) {
        const QString player = PlayerName(seat);
        auto* label = new QLabel(player + QLatin1Char(':'), box);
        auto* field = new QLineEdit(box);
        field->setAccessibleName(player);
        field->setPlaceholderText(QStringLiteral("random"));
        field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 28);
        label->setBuddy(field);
        auto* button = new QPushButton(QStringLiteral("Range..."), box);
        button->setAccessibleName(QStringLiteral("Range for %1").arg(player));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, seat] { OpenRangeEditor(seat); });
        auto* error = new QLabel(box);
        error->setWordWrap(true);
        error->hide();
        const int row = 1 + 2 * seat;
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(button, row, 2);
        for (int column = 0; column < 5; ++column) {
            auto* result = new QLabel(box);
            result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            result->setTextInteractionFlags(Qt::TextSelectableByMouse);
            m_results[seat][column] = result;
            grid->addWidget(result, row, 3 + column);
        }
        grid->addWidget(error, row + 1, 1, 1, 7);
        m_seats[seat] = field;
        m_rangeButtons[seat] = button;
        m_seatErrors[seat] = error;
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* EquityWindow::BuildCards() {
    auto* box = new QWidget(this);
    m_board = new QLineEdit(box);
    m_board->setAccessibleName(QStringLiteral("Board"));
    m_board->setPlaceholderText(QStringLiteral("none, or 3 to 5 cards: Kd 7c 2h"));
    m_dead = new QLineEdit(box);
    m_dead->setAccessibleName(QStringLiteral("Dead"));
    m_dead->setPlaceholderText(QStringLiteral("cards out of play"));
    m_pickBoard = new QPushButton(QStringLiteral("Pick..."), box);
    m_pickBoard->setAccessibleName(QStringLiteral("Pick board cards"));
    m_pickDead = new QPushButton(QStringLiteral("Pick..."), box);
    m_pickDead->setAccessibleName(QStringLiteral("Pick dead cards"));
    for (QPushButton* button : {m_pickBoard, m_pickDead}) {
        button->setAutoDefault(false);
    }
    connect(m_pickBoard, &QPushButton::clicked, this, [this] { PickCards(m_board, 5); });
    connect(m_pickDead, &QPushButton::clicked, this, [this] { PickCards(m_dead, 48); });
    m_boardError = new QLabel(box);
    m_boardError->setWordWrap(true);
    m_boardError->hide();
    auto* boardLabel = new QLabel(QStringLiteral("&Board:"), box);
    boardLabel->setBuddy(m_board);
    auto* deadLabel = new QLabel(QStringLiteral("&Dead:"), box);
    deadLabel->setBuddy(m_dead);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(boardLabel, 0, 0);
    grid->addWidget(m_board, 0, 1);
    grid->addWidget(m_pickBoard, 0, 2);
    grid->addWidget(deadLabel, 0, 3);
    grid->addWidget(m_dead, 0, 4);
    grid->addWidget(m_pickDead, 0, 5);
    grid->addWidget(m_boardError, 1, 1, 1, 5);
    return box;
}

QWidget* EquityWindow::BuildResults() {
    auto* box = new QWidget(this);
    m_pictureSeat = new QComboBox(box);
    m_pictureSeat->setAccessibleName(QStringLiteral("Picture of"));
    m_picture = new EquityPicture(box);
    m_savePicture = new QPushButton(QStringLiteral("Save &Picture..."), box);
    m_savePicture->setAutoDefault(false);
    m_savePicture->setEnabled(false);
    connect(m_pictureSeat, &QComboBox::currentIndexChanged, this, [this] { ShowPicture(); });
    connect(m_savePicture, &QPushButton::clicked, this, [this] { SavePicture(); });
    auto* pictureLabel = new QLabel(QStringLiteral("P&icture of:"), box);
    pictureLabel->setBuddy(m_pictureSeat);
    auto* row = new QHBoxLayout;
    row->addWidget(pictureLabel);
    row->addWidget(m_pictureSeat);
    row->addStretch(1);
    row->addWidget(m_savePicture);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(m_picture, 1, Qt::AlignLeft | Qt::AlignTop);
    return box;
}

void EquityWindow::SetPlayers(int players) {
    players = std::clamp(players, 2, kMaxEquityPlayers);
    if (m_players->value() != players) {
        m_players->setValue(players); // comes back here through valueChanged
        return;
    }
    for (int seat = 0; seat < kMaxEquityPlayers; ++seat) {
        const bool shown = seat < players;
        m_seats[seat]->setVisible(shown);
        m_rangeButtons[seat]->setVisible(shown);
        for (QLabel* result : m_results[seat]) {
            result->setVisible(shown);
        }
        auto* grid = static_cast<QGridLayout*>(m_seats[seat]->parentWidget()->layout());
        if (QLayoutItem* label = grid->itemAtPosition(1 + 2 * seat, 0); label != nullptr) {
            label->widget()->setVisible(shown);
        }
        if (!shown) {
            m_seatErrors[seat]->hide();
        }
    }
    ClearResults();
}

void EquityWindow::StartFrom(const std::array<Card, 2>& hole, const std::vector<Card>& board,
                             int players) {
    SetPlayers(players);
    if (IsRealCard(hole[0]) && IsRealCard(hole[1]) && !(hole[0] == hole[1])) {
        m_seats[0]->setText(CardsText({FreshDeckIndex(hole[0]), FreshDeckIndex(hole[1])}));
    }
    std::vector<int> known;
    for (const Card& card : board) {
        if (IsRealCard(card)) {
            known.push_back(FreshDeckIndex(card));
        }
    }
    m_board->setText(CardsText(known));
}

void EquityWindow::closeEvent(QCloseEvent* event) {
    Stop();
    QDialog::closeEvent(event);
}

void EquityWindow::reject() {
    Stop();
    QDialog::reject();
}

} // namespace quillory
