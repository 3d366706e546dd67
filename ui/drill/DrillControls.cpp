#include "engine/CardText.h"
#include "ui/drill/DrillDialog.h"
#include "ui/drill/SpotView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

// The controls of "Practise Estimating": the choices at the top and the
// guess with its results.
namespace quillory {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::optional<std::array<Card, 2>> ParseHoleCards(const QString& typed) {
    std::vector<Card> cards;
    std::string error;
    if (!ParseCardText(typed.toStdString(), cards, error) || cards.size() != 2) {
        return std::nullopt;
    }
    const std::array<Card, 2> hole{cards[0], cards[1]};
    return drill::IsValidHole(hole) ? std::optional(hole) : std::nullopt;
}

QWidget* DrillDialog::BuildChoices() {
    auto* box = new QWidget(this);
    m_street = new QComboBox(box);
    m_street->addItem(QStringLiteral("Any street"), -1);
    for (int street = 0; street < drill::kStreets; ++street) {
        m_street->addItem(Text(drill::StreetName(static_cast<drill::Street>(street))), street);
    }
    m_players = new QComboBox(box);
    m_players->addItem(QStringLiteral("Any size"), -1);
    for (int players = 2; players <= 10; ++players) {
        m_players->addItem(QStringLiteral("%1 players").arg(players), players);
    }
    m_cards = new QLineEdit(box);
    m_cards->setPlaceholderText(QStringLiteral("random"));
    m_cards->setAccessibleDescription(
        QStringLiteral("Empty for random cards, or two cards such as As Kh"));
    m_cards->setToolTip(m_cards->accessibleDescription());
    const QString names[] = {QStringLiteral("&Street:"), QStringLiteral("&Table size:"),
                             QStringLiteral("Your &cards:")};
    QWidget* fields[] = {m_street, m_players, m_cards};
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(names[i], box);
        label->setBuddy(fields[i]);
        fields[i]->setAccessibleName(label->text().remove(QLatin1Char('&')).chopped(1));
        row->addWidget(label);
        row->addWidget(fields[i], i == 2 ? 1 : 0);
        row->addSpacing(i < 2 ? 12 : 0);
    }
    connect(m_street, &QComboBox::currentIndexChanged, this, [this] { OnChoiceChanged(); });
    connect(m_players, &QComboBox::currentIndexChanged, this, [this] { OnChoiceChanged(); });
    connect(m_cards, &QLineEdit::textChanged, this, [this] { OnChoiceChanged(); });
    connect(m_cards, &QLineEdit::editingFinished, this, [this] {
        const QString refused = QStringLiteral(
            "Type two different cards, such as As Kh, or leave the field empty for random cards.");
        if (!m_cards->text().trimmed().isEmpty() && !ParseHoleCards(m_cards->text())) {
            SetNote(refused);
        } else if (m_note->text() == refused) {
            SetNote({});
        }
    });
    return box;
}

QWidget* DrillDialog::BuildAnswer() {
    auto* box = new QWidget(this);
    m_question = new QLabel(box);
    m_guess = new QLineEdit(box);
    m_guess->setAccessibleName(QStringLiteral("Your guess in percent"));
    m_guess->setMaxLength(8);
    m_guess->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.00 %")) + 16);
    m_guessRow = new QWidget(box);
    auto* guessLabel = new QLabel(QStringLiteral("Your &guess (%):"), m_guessRow);
    guessLabel->setBuddy(m_guess);
    auto* guessRow = new QHBoxLayout(m_guessRow);
    guessRow->setContentsMargins(0, 0, 0, 0);
    guessRow->addWidget(guessLabel);
    guessRow->addWidget(m_guess);
    m_go = new QPushButton(box);
    m_go->setDefault(true);
    connect(m_go, &QPushButton::clicked, this, [this] { OnGo(); });
    m_working = new QProgressBar(box);
    m_working->setRange(0, 0);
    m_working->setAccessibleName(QStringLiteral("Working out the true value"));
    m_working->setMaximumWidth(160);
    QSizePolicy keep = m_working->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_working->setSizePolicy(keep);
    m_working->hide();
    auto* row = new QHBoxLayout;
    row->addWidget(m_guessRow);
    row->addWidget(BuildDecision());
    row->addWidget(m_go);
    row->addWidget(m_working);
    row->addStretch(1);

    m_note = new QLabel(box);
    m_truth = new QLabel(box);
    m_verdict = new QLabel(box);
    m_why = new QLabel(box);
    for (QLabel* label : {m_note, m_truth, m_verdict, m_why}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
    }
    QFont strong = m_truth->font();
    strong.setBold(true);
    m_truth->setFont(strong);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(m_question);
    layout->addLayout(row);
    layout->addWidget(m_note);
    layout->addWidget(m_truth);
    layout->addWidget(m_verdict);
    layout->addWidget(m_why);
    return box;
}

} // namespace quillory
