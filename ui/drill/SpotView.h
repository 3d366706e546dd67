#pragma once

#include "drill/Spot.h"
#include "ui/CardImages.h"

#include <QWidget>
#include <array>

class QLabel;

namespace quillory {

// One drill question as the user sees it: the two hole cards and the board
// cards of the street, with the main window's card pictures, and a line of
// text that says the same ("Flop, 6 players: A(S) 10(H) on K(D) 7(C) 2(H)").
//
// Each picture is a label whose accessible name is its slot and card
// ("Your first card: ace of spades"); board slots the street has not dealt
// are hidden but keep their place, so the layout does not jump.
class SpotView : public QWidget {
    Q_OBJECT

public:
    explicit SpotView(QWidget* parent = nullptr);

    void Show(const drill::Spot& spot);
    void Clear();

    // The text line, which is also its own accessible name.
    QString Description() const;

    static QString Describe(const drill::Spot& spot);

private:
    void Paint(std::size_t slot, const Card& card);

    CardImages m_images;
    std::array<QLabel*, 7> m_cards{}; // hole 1, hole 2, flop 1 to 3, turn, river
    QLabel* m_street{};
    QLabel* m_description{};
};

} // namespace quillory
