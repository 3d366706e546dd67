#include "ui/TemplateBuilder.h"

#include "ui/CardImages.h"
#include "ui/ListView.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace quillory {
namespace {

using res::ControlKind;

constexpr const char* kIdProperty = "quilloryControlId";
constexpr const char* kFigureNameProperty = "quilloryFigureName";

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool Has(const res::ControlTemplate& controlTemplate, std::uint32_t style) {
    return (controlTemplate.style & style) != 0;
}

bool TakesInput(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::Icon;
}

QWidget* CreateWidget(const res::ControlTemplate& controlTemplate, QDialog& dialog) {
    const QString caption = Text(controlTemplate.caption);
    switch (controlTemplate.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (Has(controlTemplate, res::kBorder)) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setIndent(4);
        }
        return label;
    }
    case ControlKind::Icon: {
        auto* icon = new QLabel(&dialog);
        icon->setPixmap(ProgramIcon().pixmap(QSize(32, 32)));
        icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return icon;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption, &dialog);
    case ControlKind::PushButton: {
        // Only the template's default button is one. The dialog gives Enter to
        // a focused button itself; a button that offered itself as default on
        // focus would keep that role after the focus moved on.
        auto* button = new QPushButton(caption, &dialog);
        button->setAutoDefault(Has(controlTemplate, res::kDefaultButton));
        button->setDefault(Has(controlTemplate, res::kDefaultButton));
        return button;
    }
    case ControlKind::Edit: {
        if (Has(controlTemplate, res::kMultiLine)) {
            auto* edit = new QPlainTextEdit(&dialog);
            edit->setReadOnly(Has(controlTemplate, res::kReadOnly));
            edit->setTabChangesFocus(true);
            if (!Has(controlTemplate, res::kBorder)) {
                edit->setFrameStyle(QFrame::NoFrame);
            }
            return edit;
        }
        auto* edit = new QLineEdit(&dialog);
        edit->setReadOnly(Has(controlTemplate, res::kReadOnly));
        edit->setFrame(Has(controlTemplate, res::kBorder));
        if (edit->isReadOnly()) {
            // A figure the user cannot change sits on the window's colour, not
            // on the white of an entry field.
            QPalette figure = edit->palette();
            figure.setColor(QPalette::Base, figure.color(QPalette::Window));
            edit->setPalette(figure);
        }
        if (Has(controlTemplate, res::kDigitsOnly)) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        }
        return edit;
    }
    case ControlKind::ListView: {
        auto* view = new ListView(Has(controlTemplate, res::kNoHeader), &dialog);
        if (!Has(controlTemplate, res::kBorder)) {
            view->setFrameStyle(QFrame::NoFrame);
        }
        return view;
    }
    case ControlKind::ListBox: {
        // Never sorted, so an item's row is the value it stands for.
        auto* list = new QListWidget(&dialog);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
        list->setVerticalScrollBarPolicy(
            Has(controlTemplate, res::kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        if (!Has(controlTemplate, res::kBorder)) {
            list->setFrameStyle(QFrame::NoFrame);
        }
        return list;
    }
    }
    return new QWidget(&dialog);
}

Qt::FocusPolicy FocusPolicyOf(const res::ControlTemplate& controlTemplate) {
    if (Has(controlTemplate, res::kTabStop)) {
        return Qt::StrongFocus;
    }
    switch (controlTemplate.kind) {
    case ControlKind::Edit:
    case ControlKind::ListBox:
        return Qt::ClickFocus; // read-only figures can still be selected and copied
    case ControlKind::ListView:
        return Has(controlTemplate, res::kNoHeader) ? Qt::NoFocus : Qt::ClickFocus;
    default:
        return Qt::NoFocus;
    }
}

} // namespace

BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& source) {
    BuiltDialog built;
    dialog.setWindowTitle(Text(source.caption));
    dialog.setFont(DialogFont(source.fontFamily, source.fontPoints));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((source.style & res::kSystemMenu) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    dialog.setWindowFlags(flags);
    dialog.setSizeGripEnabled(false);

    for (const res::ControlTemplate& controlTemplate : source.controls) {
        QWidget* widget = CreateWidget(controlTemplate, dialog);
        widget->setProperty(kIdProperty, controlTemplate.id);
        if (controlTemplate.id != res::kNoId) {
            widget->setObjectName(QStringLiteral("control%1").arg(controlTemplate.id));
        } else {
            widget->setObjectName(controlTemplate.kind == ControlKind::Icon
                                      ? QStringLiteral("icon")
                                      : QStringLiteral("label"));
        }
        widget->setFocusPolicy(FocusPolicyOf(controlTemplate));
        widget->setAccessibleName(controlTemplate.accessibleName.empty()
                                      ? StripMnemonic(Text(controlTemplate.caption))
                                      : Text(controlTemplate.accessibleName));
        if (controlTemplate.kind == ControlKind::Label && !controlTemplate.accessibleName.empty()) {
            widget->setProperty(kFigureNameProperty, Text(controlTemplate.accessibleName));
        }
        if (Has(controlTemplate, res::kHidden)) {
            widget->setHidden(true);
        }
        if (Has(controlTemplate, res::kDisabled)) {
            widget->setEnabled(false);
        }
        built.controls.push_back(BuiltControl{&controlTemplate, widget});
    }

    // A label lends its mnemonic and its name to the control right after it.
    for (std::size_t i = 0; i < built.controls.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(built.controls[i].widget);
        const res::ControlTemplate& controlTemplate = *built.controls[i].controlTemplate;
        if (label == nullptr || controlTemplate.kind != ControlKind::Label ||
            Has(controlTemplate, res::kNoPrefix)) {
            continue;
        }
        const bool hasNext = i + 1 < built.controls.size();
        if (hasNext && TakesInput(built.controls[i + 1].controlTemplate->kind)) {
            label->setBuddy(built.controls[i + 1].widget);
        } else if (label->text().contains(QLatin1Char('&'))) {
            label->setText(StripMnemonic(label->text()));
        }
    }

    QWidget* previous = nullptr;
    for (const BuiltControl& control : built.controls) {
        if (!Has(*control.controlTemplate, res::kTabStop)) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control.widget);
        }
        previous = control.widget;
    }

    // The font decides the units; a wider font than the template was drawn
    // for widens the whole layout rather than clipping a caption.
    BaseUnits units = MeasureBaseUnits(dialog.font());
    for (const BuiltControl& control : built.controls) {
        const int needed = CaptionWidth(*control.widget, *control.controlTemplate);
        const int width = control.controlTemplate->rect.width;
        if (needed > 0 && width > 0) {
            units.x = std::max(units.x, (needed * 4 + width - 1) / width);
        }
    }
    built.units = units;

    for (const BuiltControl& control : built.controls) {
        control.widget->setGeometry(ToPixels(control.controlTemplate->rect, units));
    }
    const QRect client = ToPixels(res::DialogRect{0, 0, source.width, source.height}, units);
    dialog.setFixedSize(client.size());
    return built;
}

void SetLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    const QString name = label.property(kFigureNameProperty).toString();
    if (!name.isEmpty()) {
        label.setAccessibleName(text.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, text));
    }
}

int ControlId(const QWidget& widget) {
    const QVariant id = widget.property(kIdProperty);
    return id.isValid() ? id.toInt() : res::kNoId;
}

} // namespace quillory
