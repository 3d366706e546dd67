#pragma once

#include <QDialog>

class QPushButton;

namespace quillory {

// The About box: the program icon, "Quillory Version 1.0" and an OK button
// that closes it, as do Enter, Esc and the close box.
class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    // Runs the box through the modal seam; res::kIdOk or res::kIdCancel.
    int DoModal();
    void reject() override;

    QPushButton* m_ok{};
};

} // namespace quillory
