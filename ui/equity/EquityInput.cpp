#include "ui/equity/EquityInput.h"

#include "engine/CardText.h"

#include <QStringList>
#include <algorithm>

namespace quillory {

bool ReadSeat(const QString& text, HandRange& range, QString& error) {
    const std::string typed = text.trimmed().toStdString();
    if (typed.empty()) {
        range = HandRange::Random();
        return true;
    }
    // Two cards as the card fields take them ("As Kh" with a blank is not
    // range notation); a text that is not two cards is read as a range.
    std::vector<Card> cards;
    std::string cardError;
    if (ParseCardText(typed, cards, cardError) && cards.size() == 2) {
        if (cards[0] == cards[1]) {
            error = QStringLiteral("the same card twice");
            return false;
        }
        range = HandRange::Single(ComboIndex(FreshDeckIndex(cards[0]), FreshDeckIndex(cards[1])));
        return true;
    }
    RangeError rangeError;
    if (!ParseRange(typed, range, rangeError)) {
        error = QString::fromStdString(rangeError.Message());
        return false;
    }
    if (range.Empty()) {
        error = QStringLiteral("the range holds no combos");
        return false;
    }
    return true;
}

bool ReadCards(const QString& text, std::vector<int>& cards, QString& error) {
    std::vector<Card> parsed;
    std::string parseError;
    if (!ParseCardText(text.trimmed().toStdString(), parsed, parseError)) {
        error = QString::fromStdString(parseError);
        return false;
    }
    cards.clear();
    for (const Card& card : parsed) {
        const int index = FreshDeckIndex(card);
        if (std::find(cards.begin(), cards.end(), index) != cards.end()) {
            error = QStringLiteral("%1 is named twice").arg(QString::fromStdString(CardText(card)));
            return false;
        }
        cards.push_back(index);
    }
    return true;
}

QString CardsText(const std::vector<int>& cards) {
    QStringList words;
    for (int index : cards) {
        words.push_back(QString::fromStdString(CardText(CardAtFreshIndex(index))));
    }
    return words.join(QLatin1Char(' '));
}

} // namespace quillory

namespace quillory {

QString PlayerName(int seat) {
    return QStringLiteral("Player %1").arg(seat + 1);
}

} // namespace quillory
