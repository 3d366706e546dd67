#include "ui/TemplateBuilder.h"

#include "ui/CardImages.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
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

bool Has(const res::ControlTemplate& spec, std::uint32_t style) {
    return (spec.style & style) != 0;
}

bool TakesInput(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::Icon;
}

QWidget* CreateWidget(const res::ControlTemplate& spec, QDialog& dialog) {
    const QString caption = Text(spec.caption);
    switch (spec.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (Has(spec, res::kBorder)) {
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
        button->setAutoDefault(Has(spec, res::kDefaultButton));
        button->setDefault(Has(spec, res::kDefaultButton));
        return button;
    }
    case ControlKind::Edit: {
        if (Has(spec, res::kMultiLine)) {
            auto* edit = new QPlainTextEdit(&dialog);
            edit->setReadOnly(Has(spec, res::kReadOnly));
            edit->setTabChangesFocus(true);
            if (!Has(spec, res::kBorder)) {
                edit->setFrameStyle(QFrame::NoFrame);
            }
            return edit;
        }
        auto* edit = new QLineEdit(&dialog);
        edit->setReadOnly(Has(spec, res::kReadOnly));
        edit->setFrame(Has(spec, res::kBorder));
        if (Has(spec, res::kDigitsOnly)) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        }
        return edit;
    }
    case ControlKind::ListView: {
        auto* view = new ListView(Has(spec, res::kNoHeader), &dialog);
        if (!Has(spec, res::kBorder)) {
            view->setFrameStyle(QFrame::NoFrame);
        }
        return view;
    }
    case ControlKind::ListBox: {
        auto* list = new ListBox(&dialog);
        list->setVerticalScrollBarPolicy(Has(spec, res::kVScroll) ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
        if (!Has(spec, res::kBorder)) {
            list->setFrameStyle(QFrame::NoFrame);
        }
        return list;
    }
    }
    return new QWidget(&dialog);
}

Qt::FocusPolicy FocusPolicyOf(const res::ControlTemplate& spec) {
    if (Has(spec, res::kTabStop)) {
        return Qt::StrongFocus;
    }
    switch (spec.kind) {
    case ControlKind::Edit:
    case ControlKind::ListBox:
        return Qt::ClickFocus; // read-only figures can still be selected and copied
    case ControlKind::ListView:
        return Has(spec, res::kNoHeader) ? Qt::NoFocus : Qt::ClickFocus;
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

    for (const res::ControlTemplate& spec : source.controls) {
        QWidget* widget = CreateWidget(spec, dialog);
        widget->setProperty(kIdProperty, spec.id);
        if (spec.id != res::kNoId) {
            widget->setObjectName(QStringLiteral("control%1").arg(spec.id));
        } else {
            widget->setObjectName(spec.kind == ControlKind::Icon ? QStringLiteral("icon")
                                                                 : QStringLiteral("label"));
        }
        widget->setFocusPolicy(FocusPolicyOf(spec));
        widget->setAccessibleName(spec.accessibleName.empty() ? StripMnemonic(Text(spec.caption))
                                                              : Text(spec.accessibleName));
        if (spec.kind == ControlKind::Label && !spec.accessibleName.empty()) {
            widget->setProperty(kFigureNameProperty, Text(spec.accessibleName));
        }
        if (Has(spec, res::kHidden)) {
            widget->setHidden(true);
        }
        if (Has(spec, res::kDisabled)) {
            widget->setEnabled(false);
        }
        built.controls.push_back(BuiltControl{&spec, widget});
    }

    // A label lends its mnemonic and its name to the control right after it.
    for (std::size_t i = 0; i < built.controls.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(built.controls[i].widget);
        const res::ControlTemplate& spec = *built.controls[i].spec;
        if (label == nullptr || spec.kind != ControlKind::Label || Has(spec, res::kNoPrefix)) {
            continue;
        }
        const bool hasNext = i + 1 < built.controls.size();
        if (hasNext && TakesInput(built.controls[i + 1].spec->kind)) {
            label->setBuddy(built.controls[i + 1].widget);
        } else if (label->text().contains(QLatin1Char('&'))) {
            label->setText(StripMnemonic(label->text()));
        }
    }

    QWidget* previous = nullptr;
    for (const BuiltControl& control : built.controls) {
        if (!Has(*control.spec, res::kTabStop)) {
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
        const int needed = CaptionWidth(*control.widget, *control.spec);
        const int width = control.spec->rect.width;
        if (needed > 0 && width > 0) {
            units.x = std::max(units.x, (needed * 4 + width - 1) / width);
        }
    }
    built.units = units;

    for (const BuiltControl& control : built.controls) {
        control.widget->setGeometry(ToPixels(control.spec->rect, units));
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
