#pragma once

#include "engine/CardNames.h"
#include "trainer/Trainer.h"
#include "ui/CardImages.h"
#include "ui/TemplateDialog.h"
#include "ui/Settings.h"

#include <QIcon>
#include <array>
#include <chrono>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace quillory {

class ListView;

// The main window (template 102, "Quillory"): the view of the trainer. It
// binds its controls once, at construction; exchanges them with the
// trainer's members in the trainer's exchange order (a failed read reports
// the first refused entry, focuses it and stops there); shows the trainer's
// rows, card pictures and enabled states; and turns each notification into
// one trainer operation. The rules of a hand live in trainer/Trainer.h.
//
// Start-up (OnInitDialog) reads the two settings, cuts the card pictures,
// lays out the lists and runs the practice-mode operation, which resets the
// hand. The settings are written once: when the window closes in any way
// (after a quiet read of the controls), or when the object goes away
// without having closed (ui/TrainerSettingsStore.h).
class CTrainerDialog : public TemplateDialog, private TrainerView {
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

    // Window menu and help. Returns true when the command was the About item.
    bool OnSysCommand(int id);
    void OnHelp();
    // The About item where the window menu is the program's own (the context
    // menu, and the application menu on macOS); nullptr where the system menu
    // carries it.
    QAction* AboutAction() const { return m_aboutAction; }
    QAction* CallAdvisorAction() const { return m_callAdvisorAction; }
    QAction* StatisticsAction() const { return m_statisticsAction; }

    // The hidden "&More..." button and the context-menu entries "Should I
    // Call?..." and "Hand Statistics...".
    void OnMore();
    void OnCallAdvisor();
    void OnHandStatistics();
    // Simulates 100,000 deals and saves the hand statistics where the user chooses.
    void ExportHandStatistics();

    // The hands list and the card views, in the order of the trainer's card
    // slots, and the 52 card pictures (index CardImageIndex) they show.
    ListView* HandsList() const { return m_listHands; }
    ListView* CardView(CardSlot slot) const { return m_cardViews[static_cast<std::size_t>(slot)]; }
    const CardImages& Pictures() const { return m_cardImages; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
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
    void BindControls();
    void ConnectNotifications();
    // Shows the state: the figures (with the edits' change notifications
    // held back), the rows, the pictures and the enabled states.
    void ShowState();
    void ShowHand();
    void ShowRows();

    void AddHelpAction();
    void AddAboutEntry(const QString& text);
    void AddWindowCommands();
    void LayOutLists();

    QIcon m_hIcon;
    CardImages m_cardImages;
    CardStrip m_cardStrip;
    Trainer m_trainer;
    TrainerSettingsStore m_settings{m_trainer};
    ListView* m_listHands{};
    std::array<ListView*, kCardSlots> m_cardViews{};
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
    bool m_estimateCursor{};
    std::chrono::steady_clock::time_point m_estimateStart{};

    QAction* m_helpAction{};
    QAction* m_aboutAction{};
    QAction* m_callAdvisorAction{};
    QAction* m_statisticsAction{};
    std::unique_ptr<QMenuBar> m_applicationMenu;
};

} // namespace quillory
