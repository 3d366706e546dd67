#include "ui/ModalSeam.h"

#include "res/ResourceIds.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>

namespace quillory {
namespace {

// The toolkit's own modal windows.
class QtModalSeam final : public ModalSeam {
public:
    int RunDialog(QDialog& dialog) override { return dialog.exec(); }

    void ShowMessage(QWidget* owner, const QString& title, const QString& text,
                     MessageIcon icon) override {
        const QMessageBox::Icon shown =
            icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information;
        // Without a window manager nothing activates the window again when
        // the box closes; the control that had the focus gets it back.
        const QPointer<QWidget> focus = QApplication::focusWidget();
        QMessageBox box(shown, title, text, QMessageBox::Ok, owner);
        box.exec();
        if (focus != nullptr && focus->isVisible()) {
            focus->window()->activateWindow();
            focus->setFocus(Qt::OtherFocusReason);
        }
    }

    QString ChooseSaveFile(QWidget* owner, const SaveFileRequest& request) override {
        // No filter and no default extension; the dialog asks before it lets
        // the user pick an existing file.
        QString start;
        if (!request.suggestedName.isEmpty()) {
            start = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                        .filePath(request.suggestedName);
        }
        return QFileDialog::getSaveFileName(owner, request.caption, start);
    }
};

QtModalSeam g_qtSeam;
ModalSeam* g_seam = nullptr;

ModalSeam& Current() {
    return g_seam != nullptr ? *g_seam : g_qtSeam;
}

} // namespace

ScopedModalSeam::ScopedModalSeam(ModalSeam& seam) : m_previous(g_seam) {
    g_seam = &seam;
}

ScopedModalSeam::~ScopedModalSeam() {
    g_seam = m_previous;
}

int RunModalDialog(QDialog& dialog) {
    return Current().RunDialog(dialog);
}

void ShowMessageBox(QWidget* owner, const QString& text, MessageIcon icon) {
    Current().ShowMessage(owner, QString::fromUtf8(res::kMessageTitle), text, icon);
}

QString ChooseSaveFile(QWidget* owner, const SaveFileRequest& request) {
    return Current().ChooseSaveFile(owner, request);
}

} // namespace quillory
