#pragma once

#include <QString>

class QDialog;
class QWidget;

// The seam through which the window layer runs everything modal: dialogs,
// message boxes and the save-file dialog. The program uses the toolkit's own
// implementation; tests install a scripted one, so that no test ever waits on
// a real modal window.

namespace quillory {

enum class MessageIcon {
    Information, // a notice: "Showdown unavailable ..."
    Warning,     // a refused entry: "Please enter an integer."
};

// What a save-file dialog offers: no filter and no default extension; it asks
// before replacing an existing file and hides the read-only check box. With a
// suggested name it opens in the user's documents folder with that name
// filled in; without one, in the working folder with no name.
struct SaveFileRequest {
    QString caption;
    // A file name to offer in the user's documents folder; empty offers none.
    QString suggestedName{};
};

class ModalSeam {
public:
    virtual ~ModalSeam() = default;

    // Runs a dialog that is ready to show until it ends and returns its
    // result (1 accept, 2 cancel, or what the dialog ended with).
    virtual int RunDialog(QDialog& dialog) = 0;

    // Shows a message with an OK button and returns once it is dismissed.
    virtual void ShowMessage(QWidget* owner, const QString& title, const QString& text,
                             MessageIcon icon) = 0;

    // Asks where to save; an empty path means the user cancelled.
    virtual QString ChooseSaveFile(QWidget* owner, const SaveFileRequest& request) = 0;
};

// Installs a seam for the lifetime of the object, then restores the previous;
// without one the toolkit's own runs.
class ScopedModalSeam {
public:
    explicit ScopedModalSeam(ModalSeam& seam);
    ~ScopedModalSeam();
    ScopedModalSeam(const ScopedModalSeam&) = delete;
    ScopedModalSeam& operator=(const ScopedModalSeam&) = delete;

private:
    ModalSeam* m_previous{};
};

// The calls the window layer makes, through whichever seam is installed.
int RunModalDialog(QDialog& dialog);
void ShowMessageBox(QWidget* owner, const QString& text, MessageIcon icon);
QString ChooseSaveFile(QWidget* owner, const SaveFileRequest& request);

} // namespace quillory
