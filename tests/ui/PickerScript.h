#pragma once

// Scripts that answer the card picker on the scripted modal seam: choose the
// given cards in the picker's columns, then press OK, or press Cancel. Each
// script records what the picker showed when it opened.

#include "engine/Card.h"
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CardPickerDialog.h"

#include <QListWidget>
#include <QPushButton>
#include <array>
#include <vector>

namespace quillory::testing {

// What a picker looked like when its script ran.
struct PickerVisit {
    bool seen{};
    QString title;
    std::int32_t cards{};
    std::array<bool, 3> columnEnabled{}; // suit and rank list of each column
    std::array<Card, 3> opening{};       // the selection of each column at the start
};

inline std::array<QListWidget*, 3> SuitLists(CCardPickerDialog& picker) {
    return {picker.m_listSuit1, picker.m_listSuit2, picker.m_listSuit3};
}

inline std::array<QListWidget*, 3> RankLists(CCardPickerDialog& picker) {
    return {picker.m_listRank1, picker.m_listRank2, picker.m_listRank3};
}

inline void RecordVisit(CCardPickerDialog& picker, PickerVisit* visit) {
    if (visit == nullptr) {
        return;
    }
    visit->seen = true;
    visit->title = picker.windowTitle();
    visit->cards = picker.CardCount();
    const auto suits = SuitLists(picker);
    const auto ranks = RankLists(picker);
    for (std::size_t i = 0; i < 3; ++i) {
        visit->columnEnabled[i] = suits[i]->isEnabled() && ranks[i]->isEnabled();
        visit->opening[i] = Card{ranks[i]->currentRow(), suits[i]->currentRow()};
    }
}

// Selects cards[i] in column i (rank and suit), then presses OK.
inline ScriptedModalSeam::DialogScript PickCards(std::vector<Card> cards,
                                                 PickerVisit* visit = nullptr) {
    return [cards = std::move(cards), visit](QDialog& dialog) {
        auto* picker = dynamic_cast<CCardPickerDialog*>(&dialog);
        if (picker == nullptr) {
            dialog.reject();
            return dialog.result();
        }
        RecordVisit(*picker, visit);
        const auto suits = SuitLists(*picker);
        const auto ranks = RankLists(*picker);
        for (std::size_t i = 0; i < cards.size() && i < 3; ++i) {
            suits[i]->setCurrentRow(cards[i].suit);
            ranks[i]->setCurrentRow(cards[i].rank);
        }
        picker->m_ok->click();
        return picker->result();
    };
}

// Presses Cancel, whatever was chosen before.
inline ScriptedModalSeam::DialogScript CancelPicker(PickerVisit* visit = nullptr) {
    return [visit](QDialog& dialog) {
        if (auto* picker = dynamic_cast<CCardPickerDialog*>(&dialog); picker != nullptr) {
            RecordVisit(*picker, visit);
            picker->m_listRank1->setCurrentRow(kKing);
            picker->m_cancel->click();
        } else {
            dialog.reject();
        }
        return dialog.result();
    };
}

} // namespace quillory::testing
