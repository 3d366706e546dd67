#include "ui/AboutDialog.h"

#include "res/ResourceIds.h"
#include "ui/CardImages.h"
#include "ui/DialogLayout.h"
#include "ui/ModalSeam.h"

#include <QLabel>
#include <QPushButton>

namespace quillory {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(QSize(32, 32)));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setAccessibleName(QStringLiteral("Quillory icon"));
    auto* version = new QLabel(QStringLiteral("Quillory Version 1.0"), this);
    version->setTextFormat(Qt::PlainText);
    version->setObjectName(QStringLiteral("label"));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { done(res::kIdOk); });
    layout::PlaceControls(
        *this, QStringLiteral("About Quillory"), layout::DialogFont("MS Sans Serif", 8),
        {{icon, {11, 17, 20, 20}}, {version, {40, 10, 119, 8}}, {m_ok, {178, 7, 50, 14}}}, 235, 55);
}

int CAboutDialog::DoModal() {
    return RunModalDialog(*this) == res::kIdOk ? res::kIdOk : res::kIdCancel;
}

void CAboutDialog::reject() {
    done(res::kIdCancel);
}

} // namespace quillory
