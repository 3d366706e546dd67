#pragma once

#include "res/DialogTemplates.h"
#include "ui/ModalSeam.h"
#include "ui/TemplateBuilder.h"

#include <QDialog>
#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QLineEdit;

namespace quillory {

class DataExchange;

// A dialog built from a template, with the life of a classic modal dialog:
//
//   construct -> DoModal (or Create) -> OnInitDialog -> ... -> done() -> OnDestroy
//
// Enter, when the focus is not on a push button, presses the default button
// or, without one, accepts: OnOK reads all controls and closes with kIdOk
// only if the read succeeds. Esc and the close box run OnCancel, which closes
// with kIdCancel without reading. Button 1 runs OnOK, button 2 OnCancel. Only
// a button the template marks as default is one; a focused push button takes
// Enter for itself while it has the focus.
// OnDestroy runs once, right after the dialog ends, whichever way it ended
// (OK, Cancel, Enter, Esc, the close box, done()). A derived class owes its
// destructor nothing: what must also happen when the object goes away
// without having ended belongs to a member that does it in its own
// destructor (the main window's settings store).
//
// Controls are bound once into typed members with Bind<T>(id), which stops
// the program on an id the template lacks; notifications reach handlers only
// through OnClicked, OnChange and OnKillFocus, never through connections of
// their own.
//
// Control notifications reach handlers registered by id:
//   - clicks on buttons and check boxes (OnClicked);
//   - text changes of edits (OnChange). A change the user makes is delivered
//     at once. A change written by UpdateData(false) is delivered after the
//     whole write, so a handler always reads consistent controls; a write
//     that leaves a text as it was raises nothing. Inside a
//     NotificationLockout written changes are not delivered at all;
//   - focus loss of edits (OnKillFocus), delivered right after the event that
//     moved the focus, whether or not this dialog itself runs modally. Focus
//     that leaves because another window became active (a message box, a
//     child dialog) does not count. A click that arrives first delivers the
//     pending focus losses before itself, and is dropped when one of them
//     showed a message (a refused entry), as a click under a message box is.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    // A dialog of the template with this resource number. An unknown number
    // gives an empty dialog.
    explicit TemplateDialog(int templateId, QWidget* parent = nullptr);
    // A dialog of a template the caller keeps alive as long as the dialog.
    explicit TemplateDialog(const res::DialogTemplate& source, QWidget* parent = nullptr);
    ~TemplateDialog() override;
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    // Initialises the dialog and runs it modally through the modal seam.
    // Returns kIdOk, kIdCancel or what done() was given.
    int DoModal();
    // Initialises the dialog and shows it without waiting (tests, previews).
    void Create();
    bool IsEnded() const { return m_destroyed; }

    // Exchanges all members with the controls; see DataExchange. Returns false
    // when a read failed.
    bool UpdateData(bool saveAndValidate = true);

    QWidget* GetDlgItem(int id) const;
    // The template's control `id` as a T, for a typed member bound once in
    // the constructor. An id the template lacks, or a control of another
    // kind, is a fault of the program: it stops at once with a message that
    // names the template and the id, the first time the dialog is built.
    template <class T> T* Bind(int id) const {
        T* control = qobject_cast<T*>(GetDlgItem(id));
        if (control == nullptr) {
            FailBinding(id, T::staticMetaObject.className());
        }
        return control;
    }
    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    QString GetItemText(int id) const;
    // Replaces the text only when it differs; true when it changed.
    bool SetItemText(int id, const QString& text);

    // An OK message box owned by this dialog, through the modal seam.
    void MessageBox(const QString& text, MessageIcon icon);

    const res::DialogTemplate& Template() const { return *m_template; }
    const BuiltDialog& Built() const { return m_built; }

    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    virtual void DoDataExchange(DataExchange& dx);
    // The base writes the members into the controls (no change notifications).
    // Return true to give the focus to the first tab stop.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnDestroy() {}

    // Reads the controls with no message and no focus change.
    bool UpdateDataQuietly();

    // Each takes a control of this dialog, bound with Bind; any other widget
    // stops the program as Bind does.
    void OnClicked(QAbstractButton* button, std::function<void()> handler);
    void OnChange(QLineEdit* edit, std::function<void()> handler);
    void OnKillFocus(QWidget* control, std::function<void()> handler);

    class NotificationLockout {
    public:
        explicit NotificationLockout(TemplateDialog& dialog) : m_dialog(dialog) {
            ++m_dialog.m_lockout;
        }
        ~NotificationLockout() { --m_dialog.m_lockout; }
        NotificationLockout(const NotificationLockout&) = delete;
        NotificationLockout& operator=(const NotificationLockout&) = delete;

    private:
        TemplateDialog& m_dialog;
    };

    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[noreturn]] void FailBinding(int id, const char* type) const;
    int OwnControlId(QWidget* control) const;
    void DestroyOnce();
    void Build(const res::DialogTemplate& source);
    void EnsureInitialised();
    bool Exchange(bool save, bool quiet);
    void DeliverChange(int id);
    void ScheduleFocusLoss();
    void DeliverFocusLoss();

    const res::DialogTemplate* m_template{};
    BuiltDialog m_built;
    std::map<int, QWidget*> m_items;
    std::map<int, std::function<void()>> m_changeHandlers;
    std::map<int, std::function<void()>> m_killFocusHandlers;
    std::vector<int> m_pendingChanges;
    std::vector<int> m_pendingFocusLoss;
    int m_writing{};
    int m_lockout{};
    int m_messagesShown{};
    bool m_focusLossScheduled{};
    bool m_showFocusOnActivation{};
    bool m_initialised{};
    bool m_destroyed{};
};

} // namespace quillory
