// SPDX-License-Identifier: GPL-3.0-or-later
// Edit fields on the program's windows, and the printer: one QPrinter kept
// for the whole run, edited by the page-setup dialog and used by Print.
#include <QImage>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <memory>

#include "engine/surface.h"
#include "platform/platform_qt.h"

namespace sc::platform {
namespace {

QLineEdit* findField(WindowId window, int id) {
    QWidget* w = qt::widgetOf(window);
    return w ? w->findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly) : nullptr;
}

QPrinter& printer() {
    static QPrinter* kept = new QPrinter(QPrinter::HighResolution);
    return *kept;
}

std::unique_ptr<QPainter>& pagePainter() {
    static std::unique_ptr<QPainter> painter;
    return painter;
}

}  // namespace

bool createEditField(WindowId window, int id, int x, int y, int width, int height) {
    QWidget* host = qt::widgetOf(window);
    if (!host) return false;
    auto* field = new QLineEdit(host);
    field->setObjectName(QString::number(id));
    field->setFrame(false);
    field->setGeometry(x, y, width, height);
    field->setTextMargins(0, 0, 0, 0);
    // Every change of the text, typed or set, tells the window.
    QObject::connect(field, &QLineEdit::textChanged, field, [window, id](const QString&) {
        Message m;
        m.kind = MessageKind::EditChanged;
        m.window = window;
        m.command = id;
        postMessage(m);
    });
    field->show();
    return true;
}

void setEditText(WindowId window, int id, const std::string& text) {
    if (QLineEdit* field = findField(window, id)) field->setText(QString::fromStdString(text));
}

std::string editText(WindowId window, int id) {
    QLineEdit* field = findField(window, id);
    return field ? field->text().toStdString() : std::string();
}

void pageSetupDialog() {
    detail::beforeModal();
    // The dialog edits the kept settings in place; its answer is not needed.
    QPageSetupDialog dialog(&printer(), nullptr);
    dialog.exec();
}

bool beginPrintedPage(const std::string& documentName, int& printableWidth, int& printableHeight, int& pages) {
    detail::beforeModal();
    QPrinter& p = printer();
    p.setCopyCount(1);
    QPrintDialog dialog(&p, nullptr);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted) return false;
    // The copies asked for: the printer makes them itself where it can (a
    // printer queue); otherwise (a file) each copy is a page of its own.
    const int copies = std::max(1, p.copyCount());
    pages = p.supportsMultipleCopies() ? 1 : copies;
    if (pages > 1) p.setCopyCount(1);
    p.setDocName(QString::fromStdString(documentName));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&p)) return false;
    // The printable area in device pixels.
    printableWidth = p.width();
    printableHeight = p.height();
    pagePainter() = std::move(painter);
    return true;
}

void printStretched(const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
    QPainter* painter = pagePainter().get();
    if (!painter || !surface.valid()) return;
    const QImage::Format format = surface.bytesPerPixel() == 4 ? QImage::Format_RGB32 : QImage::Format_BGR888;
    // The surface is stored bottom-up: wrap it and turn it the right way up.
    const QImage upsideDown(surface.bits(), static_cast<int>(surface.width()), static_cast<int>(surface.height()),
                            surface.stride(), format);
    const QImage picture = upsideDown.mirrored(false, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QRect(dx, dy, dw, dh), picture, QRect(sx, sy, sw, sh));
}

bool nextPrintedPage() {
    QPainter* painter = pagePainter().get();
    if (!painter) return false;
    auto* device = dynamic_cast<QPrinter*>(painter->device());
    return device && device->newPage();
}

bool endPrintedPage() {
    std::unique_ptr<QPainter> painter = std::move(pagePainter());
    return painter && painter->end();
}

}  // namespace sc::platform
