#include "ui/drill/SpotView.h"

#include "engine/CardNames.h"
#include "odds/Labels.h"
#include "trainer/TrainerState.h"

#include <QGridLayout>
#include <QLabel>

namespace quillory {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SpotView::SpotView(QWidget* parent) : QWidget(parent) {
    const CardStrip strip = LoadCardStrip();
    m_images.Add(strip.normal, strip.doubleDensity);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* yours = new QLabel(QStringLiteral("Your cards"), this);
    m_street = new QLabel(this);
    grid->addWidget(yours, 0, 0, 1, 2);
    grid->addWidget(m_street, 0, 3, 1, 5);
    for (std::size_t slot = 0; slot < m_cards.size(); ++slot) {
        auto* label = new QLabel(this);
        label->setFixedSize(CardImages::kPictureSize);
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        // Two hole cards, a gap, then the board.
        grid->addWidget(label, 1, static_cast<int>(slot < 2 ? slot : slot + 1));
        m_cards[slot] = label;
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(8, 1);
    m_description = new QLabel(this);
    m_description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_description, 2, 0, 1, 9);
    Clear();
}

QString SpotView::Describe(const drill::Spot& spot) {
    QString text = QStringLiteral("%1, %2 players: %3")
                       .arg(Text(drill::StreetName(spot.street)))
                       .arg(spot.players)
                       .arg(QString::fromStdString(drill::HoleText(spot)));
    if (spot.street != drill::Street::Preflop) {
        text += QStringLiteral(" on ") + QString::fromStdString(drill::BoardText(spot));
    }
    if (!spot.opponents.empty()) {
        text += QStringLiteral("; opponents hold ") + QString::fromStdString(spot.opponents);
    }
    return text;
}

void SpotView::Show(const drill::Spot& spot) {
    Paint(0, spot.hole[0]);
    Paint(1, spot.hole[1]);
    for (std::size_t i = 0; i < spot.board.size(); ++i) {
        const bool known = static_cast<int>(i) < drill::KnownBoardCards(spot.street);
        Paint(2 + i, known ? spot.board[i] : kNoCard);
    }
    m_street->setText(
        spot.street == drill::Street::Preflop
            ? QStringLiteral("Preflop: no board cards yet")
            : QStringLiteral("The %1").arg(Text(drill::StreetName(spot.street)).toLower()));
    m_description->setText(Describe(spot));
    m_description->setAccessibleName(m_description->text());
}

void SpotView::Clear() {
    for (std::size_t slot = 0; slot < m_cards.size(); ++slot) {
        Paint(slot, kNoCard);
    }
    m_street->clear();
    m_description->clear();
    m_description->setAccessibleName(QStringLiteral("No spot"));
}

QString SpotView::Description() const {
    return m_description->text();
}

void SpotView::Paint(std::size_t slot, const Card& card) {
    QLabel* label = m_cards[slot];
    if (!IsRealCard(card)) {
        label->clear();
        label->setAccessibleName(Text(kCardSlotNames[slot]));
        label->hide();
        return;
    }
    const int index = CardImageIndex(card);
    label->setPixmap(m_images.Picture(index, devicePixelRatioF()));
    const QString name = CardPictureName(index);
    label->setToolTip(name);
    label->setAccessibleName(QStringLiteral("%1: %2").arg(Text(kCardSlotNames[slot]), name));
    label->show();
}

} // namespace quillory
