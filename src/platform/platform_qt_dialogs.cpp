// SPDX-License-Identifier: GPL-3.0-or-later
// Modal message boxes, file choosers and the Pen dialog.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include "platform/platform_qt.h"

namespace sc::platform {
namespace {

QWidget* ownerWidget(WindowId owner) {
    QWidget* w = qt::widgetOf(owner);
    return w ? w->window() : nullptr;
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Information: return QMessageBox::Information;
        case Icon::Question: return QMessageBox::Question;
        default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons boxButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        default: return QMessageBox::Ok;
    }
}

std::optional<std::string> choose(WindowId owner, const FileChoice& choice, bool save) {
    detail::beforeModal();
    QFileDialog dialog(ownerWidget(owner), QString::fromStdString(choice.title),
                       QString::fromStdString(choice.startPath), QString::fromStdString(choice.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!choice.defaultExtension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(choice.defaultExtension));
        // A name typed without an extension gets the one of the filter entry
        // chosen ("PNG Image (*.png)": png).
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& entry) {
            const QRegularExpressionMatch m = QRegularExpression(R"(\*\.(\w+))").match(entry);
            if (m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
        });
    }
    // The last chosen path comes back in the name field.
    if (!choice.startPath.empty()) dialog.selectFile(QString::fromStdString(choice.startPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

Answer messageBox(WindowId owner, const std::string& caption, const std::string& text, Buttons buttons, Icon icon) {
    detail::beforeModal();
    detail::enableOwnerForModal(owner, false);
    QMessageBox box(boxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text), boxButtons(buttons),
                    ownerWidget(owner));
    // A Yes/No box would take Escape and its close button for No. A hidden
    // Cancel button is made its escape button instead, so closing it without
    // a choice answers Cancel.
    if (buttons == Buttons::YesNo) {
        QPushButton* closed = box.addButton(QMessageBox::Cancel);
        closed->hide();
        box.setEscapeButton(closed);
    }
    const int result = box.exec();
    detail::enableOwnerForModal(owner, true);
    switch (result) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Ok: return Answer::Ok;
        default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<std::string> chooseOpenFile(WindowId owner, const FileChoice& choice) {
    return choose(owner, choice, false);
}

std::optional<std::string> chooseSaveFile(WindowId owner, const FileChoice& choice) {
    return choose(owner, choice, true);
}

std::optional<PenChoice> penDialog(WindowId owner, const PenChoice& choice, float minCurve, float maxCurve) {
    detail::beforeModal();
    detail::enableOwnerForModal(owner, false);
    QDialog dialog(ownerWidget(owner));
    dialog.setWindowTitle("Pen");
    auto* target = new QComboBox(&dialog);
    target->addItems({"Nothing", "Strength", "Size", "Strength and size"});
    target->setCurrentIndex(std::clamp(choice.target, 0, 3));
    auto* curve = new QDoubleSpinBox(&dialog);
    curve->setRange(minCurve, maxCurve);
    curve->setSingleStep(0.1);
    curve->setDecimals(2);
    curve->setValue(choice.curve);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow("Pressure changes:", target);
    form->addRow("Response curve:", curve);
    form->addRow(buttons);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    detail::enableOwnerForModal(owner, true);
    if (!accepted) return std::nullopt;
    return PenChoice{target->currentIndex(), static_cast<float>(curve->value())};
}

std::optional<int> askNumber(WindowId owner, const std::string& caption, const std::string& label, int value,
                             int minimum, int maximum) {
    detail::beforeModal();
    detail::enableOwnerForModal(owner, false);
    bool accepted = false;
    const int number = QInputDialog::getInt(ownerWidget(owner), QString::fromStdString(caption),
                                            QString::fromStdString(label), value, minimum, maximum, 1, &accepted);
    detail::enableOwnerForModal(owner, true);
    if (!accepted) return std::nullopt;
    return number;
}

std::optional<std::string> askText(WindowId owner, const std::string& caption, const std::string& label,
                                   const std::string& text, int maxLength) {
    detail::enableOwnerForModal(owner, false);
    QInputDialog dialog(ownerWidget(owner));
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(QString::fromStdString(label));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString::fromStdString(text));
    // The length is counted in the bytes the program keeps (UTF-8).
    if (QLineEdit* field = dialog.findChild<QLineEdit*>()) {
        QObject::connect(field, &QLineEdit::textEdited, field, [field, maxLength](const QString& typed) {
            QString kept = typed;
            while (kept.toUtf8().size() > maxLength) kept.chop(1);
            if (kept != typed) field->setText(kept);
        });
    }
    const bool accepted = dialog.exec() == QDialog::Accepted;
    detail::enableOwnerForModal(owner, true);
    if (!accepted) return std::nullopt;
    std::string answer = dialog.textValue().toStdString();
    while (answer.size() > static_cast<std::size_t>(std::max(maxLength, 0))) {
        // Cut whole characters: drop continuation bytes, then the lead byte.
        while (!answer.empty() && (static_cast<unsigned char>(answer.back()) & 0xc0) == 0x80) answer.pop_back();
        if (!answer.empty()) answer.pop_back();
    }
    return answer;
}

}  // namespace sc::platform
