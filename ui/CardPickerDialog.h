#pragma once

#include "engine/Card.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QListWidget;
class QPushButton;

namespace quillory {

// "Select Card": picks one to three cards, each as a suit list over a rank
// list. The position of an item is the value it stands for, so a selection
// is a Card as it is: suits 0 Spade, 1 Heart, 2 Club, 3 Diamond; ranks 0 "A",
// 1 "2", ..., 9 "10", 10 "J", 11 "Q", 12 "K".
//
// Every column opens on the ace of spades. Columns beyond the number of cards
// asked for are disabled but still filled. The selections are taken from the
// lists only when the user confirms with OK (or Enter); until then, and after
// a cancel (Cancel, Esc, the close box), every card is kNoCard. GetCard1 to
// GetCard3 are meant for after DoModal returned res::kIdOk.
class CCardPickerDialog : public QDialog {
    Q_OBJECT

public:
    // `cards` is 1, 2 or 3 (values outside are held to that range).
    explicit CCardPickerDialog(std::int32_t cards, QWidget* parent = nullptr);

    std::int32_t CardCount() const { return m_nCards; }

    // Runs the picker through the modal seam; res::kIdOk or res::kIdCancel.
    int DoModal();
    void accept() override;
    void reject() override;

    // Write the rank and suit chosen in their column into `card`; always true.
    bool GetCard1(Card& card) const;
    bool GetCard2(Card& card) const;
    bool GetCard3(Card& card) const;

    QListWidget* m_listRank3{};
    QListWidget* m_listRank2{};
    QListWidget* m_listRank1{};
    QListWidget* m_listSuit3{};
    QListWidget* m_listSuit2{};
    QListWidget* m_listSuit1{};
    QPushButton* m_ok{};
    QPushButton* m_cancel{};

private:
    std::int32_t m_nCards{1};
    std::array<Card, 3> m_cards{kNoCard, kNoCard, kNoCard};
};

} // namespace quillory
