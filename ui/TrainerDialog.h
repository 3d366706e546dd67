#pragma once

#include "trainer/Trainer.h"
#include "ui/CardImages.h"
#include "ui/ModalSeam.h"
#include "ui/Settings.h"

#include <QDialog>
#include <QIcon>
#include <array>
#include <chrono>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quillory {

class CardSlotView;

// The main window, "Quillory": the view of the trainer. It builds its
// controls once, at construction, from their dialog-unit positions; reads the
// editable fields once per command (Fields) and sends one trainer command
// per user action; and shows the state the trainer reports.
//
// - Clicks send their command at once. The pot and investment edits send
//   EditPot / EditInvest on every change the user makes (the window writes
//   them under a signal blocker, so its own writes send nothing).
// - Leaving the player count, the pot or the investment (editingFinished,
//   not a focus loss to another window) sends its Leave command just after
//   the event that moved the focus. A click that comes first sends the
//   pending Leave commands before itself and is dropped when one of them
//   showed a message (a refused entry), as a click under a message box is.
// - Enter on a push button presses it; elsewhere it closes the window when
//   every field reads (res::kIdOk). Esc and the close box close it with
//   res::kIdCancel. Shift+F10 opens the context menu.
//
// Start-up reads the two settings, cuts the card pictures and runs the
// practice-mode command, which resets the hand. The settings are written
// once: when the window closes in any way (after a quiet read of the
// fields), or when the object goes away without having closed.
class CTrainerDialog : public QDialog, private TrainerView {
    Q_OBJECT

public:
    // `seeds` gives the practice deal's shuffle seeds: the tick count unless
    // a test passes its own.
    explicit CTrainerDialog(QWidget* parent = nullptr, DealSeeds seeds = DealSeeds());
    ~CTrainerDialog() override;

    Trainer& Model() { return m_trainer; }
    const TrainerState& State() const { return m_trainer.State(); }
    // The editable fields as they stand, the way every command carries them.
    FieldTexts Fields() const;

    // Starts the window and runs it modally through the modal seam, or shows
    // it without waiting (tests). DoModal returns res::kIdOk or kIdCancel.
    int DoModal();
    void Create();
    bool IsEnded() const { return m_ended; }
    void accept() override;
    void reject() override;
    void done(int result) override;

    // The control with this id (res::trainer): each is named after its id.
    QWidget* Item(int id) const;

    // Window menu and help. Returns true when the command was the About item.
    bool OnSysCommand(int id);
    void OnHelp();

    // The hidden "&More..." button and the context-menu entries "Should I
    // Call?..." and "Hand Statistics...".
    void OnMore();
    void OnCallAdvisor();
    void OnHandStatistics();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // The trainer's view (ui/TrainerDisplay.cpp).
    void StateChanged(Changed changed) override;
    void FieldRefused(const FieldRefusal& refusal) override;
    std::optional<PickedCards> PickCards(std::int32_t count) override;
    void ShowInformation(std::string_view text) override;
    void EstimateStarting() override;
    void EstimateFinished() override;

    // Sends one command with the fields as they stand.
    void Send(Command command, CardSlot slot = CardSlot::Hole1);
    void Start();
    void BuildControls();
    void ConnectNotifications();
    // Runs `command` for a click, after the pending Leave commands.
    void OnClick(QPushButton* button, std::function<void()> command);
    // Sends the pending Leave commands; false when one of them showed a message.
    bool SendPendingLeaves();
    void LeaveLater(Command command);
    void ShowMessage(const QString& text, MessageIcon icon);
    // Shows the state: the figures (with the edits' change notifications
    // held back), the rows, the pictures and the enabled states.
    void ShowState();
    void ShowHand();
    void ShowRows();

    void AddHelpAction();
    void AddAboutEntry(const QString& text);
    void AddWindowCommands();
    void LayOutLists();
    void SetFigure(QLabel* label, const QString& name, const QString& text);

    QIcon m_hIcon;
    CardImages m_cardImages;
    CardStrip m_cardStrip;
    Trainer m_trainer;
    TrainerSettingsStore m_settings{m_trainer};
    QTableWidget* m_listHands{};
    std::array<CardSlotView*, kCardSlots> m_cardViews{};
    QLabel* m_winningRate{};
    QLabel* m_averageRate{};
    QLineEdit* m_expectingProfit{};
    QLineEdit* m_addUpTo{};
    QLineEdit* m_players{};
    QLineEdit* m_pot{};
    QLineEdit* m_invest{};
    QCheckBox* m_practiceMode{};
    QPushButton* m_draw{};
    QPushButton* m_flop{};
    QPushButton* m_turn{};
    QPushButton* m_river{};
    QPushButton* m_showdown{};
    QPushButton* m_more{};
    std::array<QPushButton*, kCardSlots> m_fixButtons{};
    std::vector<Command> m_pendingLeaves;
    int m_messagesShown{};
    bool m_started{};
    bool m_ended{};
    bool m_showFocusOnActivation{};
    std::chrono::steady_clock::time_point m_estimateStart{};

    QAction* m_helpAction{};
};

} // namespace quillory
