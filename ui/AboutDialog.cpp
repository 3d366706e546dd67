#include "ui/AboutDialog.h"

#include "res/ResourceIds.h"

namespace quillory {

CAboutDialog::CAboutDialog(QWidget* parent) : TemplateDialog(res::kAboutDialog, parent) {}

} // namespace quillory
