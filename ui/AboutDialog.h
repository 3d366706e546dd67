#pragma once

#include "ui/TemplateDialog.h"

namespace quillory {

// The About box (template 100): the program icon, "Quillory Version 1.0" and
// an OK button that closes it. No members and no handlers of its own.
class CAboutDialog : public TemplateDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace quillory
