#pragma once

#include "engine/Card.h"
#include "ui/TemplateDialog.h"

#include <cstdint>

class QListWidget;

namespace quillory {

// "Select Card" (template 130): picks one to three cards, each as a suit list
// over a rank list. The position of an item is the value it stands for, so a
// selection is a Card as it is: suits 0 Spade, 1 Heart, 2 Club, 3 Diamond;
// ranks 0 "A", 1 "2", ..., 9 "10", 10 "J", 11 "Q", 12 "K".
//
// Every column opens on the ace of spades. Columns beyond the number of cards
// asked for are disabled but still filled. The selections are taken from the
// lists only when the user confirms with OK; until then, and after a cancel,
// all six are -1. GetCard1 to GetCard3 are meant for after DoModal returned
// res::kIdOk.
class CCardPickerDialog : public TemplateDialog {
    Q_OBJECT

public:
    // `cards` is 1, 2 or 3 (values outside are held to that range).
    explicit CCardPickerDialog(std::int32_t cards, QWidget* parent = nullptr);

    std::int32_t CardCount() const { return m_nCards; }

    // Write the rank and suit chosen in their column into `card`; always true.
    bool GetCard1(Card& card) const;
    bool GetCard2(Card& card) const;
    bool GetCard3(Card& card) const;

    // The six lists, bound at construction.
    QListWidget* m_listRank3{};
    QListWidget* m_listRank2{};
    QListWidget* m_listRank1{};
    QListWidget* m_listSuit3{};
    QListWidget* m_listSuit2{};
    QListWidget* m_listSuit1{};

protected:
    void DoDataExchange(DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    std::int32_t m_nCards{1};
    std::int32_t m_nRank1{-1};
    std::int32_t m_nSuit1{-1};
    std::int32_t m_nRank2{-1};
    std::int32_t m_nSuit2{-1};
    std::int32_t m_nRank3{-1};
    std::int32_t m_nSuit3{-1};
};

} // namespace quillory
