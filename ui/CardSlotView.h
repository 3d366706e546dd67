#pragma once

#include <QTableWidget>

namespace quillory {

class CardImages;

// A card slot on the table's felt: a one-cell table that shows one card
// picture centred, or a faint outline where a card will lie. The cell fills
// the view and is named after the card ("ace of spades") for tooltips and
// screen readers; an empty slot has no rows.
class CardSlotView : public QTableWidget {
    Q_OBJECT

public:
    explicit CardSlotView(const CardImages& images, QWidget* parent = nullptr);

    // Shows picture `image` (CardImageIndex), or nothing for -1.
    void ShowCard(int image);
    // The picture shown, -1 for none.
    int Image() const;
    const CardImages& Images() const { return m_images; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CardImages& m_images;
};

} // namespace quillory
