// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop side of the shared window table: a widget for every record,
// kept in step with it.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QScrollArea>

#include "platform/platform_qt.h"

namespace sc::platform {
namespace qt {

QWidget* makeDocumentArea(WindowId id, QWidget* frame);

namespace {

QHash<WindowId, QPointer<QWidget>>& widgets() {
    static QHash<WindowId, QPointer<QWidget>> table;
    return table;
}

const char* kIdProperty = "scWindowId";

bool inDocumentArea(const detail::WindowRecord& w) {
    const detail::WindowRecord* parent = detail::findRecord(w.parent);
    return w.kind == WindowKind::Child && parent && parent->kind == WindowKind::DocumentArea;
}

void fitEveryDocumentArea() {
    for (auto& [id, w] : detail::windowTable()) {
        if (w.kind == WindowKind::DocumentArea) fitDocumentArea(id);
    }
}

QWidget* makePicture(detail::WindowRecord& w) {
    QWidget* parent = nullptr;
    Qt::WindowFlags flags = Qt::Widget;
    switch (w.kind) {
        case WindowKind::Child: parent = childHostOf(w.parent); break;
        case WindowKind::Floating:
            parent = widgetOf(w.parent) ? widgetOf(w.parent)->window() : nullptr;
            flags = Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
            if (w.closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            break;
        default: flags = Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint; break;
    }
    if (w.kind == WindowKind::Child && !parent) return nullptr;
    auto* p = new PictureWidget(w.id, parent, flags);
    p->setFixedSize(w.width, w.height);
    p->move(w.x, w.y);
    if (w.pointerShape == PointerShape::Cross) p->setCursor(Qt::CrossCursor);
    return p;
}

}  // namespace

QWidget* widgetOf(WindowId id) { return widgets().value(id).data(); }

WindowId windowOfWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(kIdProperty);
        if (v.isValid()) return v.toUInt();
    }
    return kNoWindow;
}

QWidget* childHostOf(WindowId id) {
    QWidget* w = widgetOf(id);
    if (auto* scroll = dynamic_cast<QScrollArea*>(w)) return scroll->widget();
    return w;
}

void registerWidget(WindowId id, QWidget* widget) {
    widget->setProperty(kIdProperty, QVariant::fromValue(static_cast<uint>(id)));
    widgets().insert(id, widget);
}

void forgetWidget(WindowId id) { widgets().remove(id); }

}  // namespace qt

namespace backend {

bool windowCreated(detail::WindowRecord& w) {
    QWidget* widget = nullptr;
    switch (w.kind) {
        case WindowKind::Frame: widget = new qt::FrameWidget(w.id); break;
        case WindowKind::DocumentArea: {
            auto* frame = dynamic_cast<qt::FrameWidget*>(qt::widgetOf(w.parent));
            if (!frame) return false;
            widget = qt::makeDocumentArea(w.id, frame);
            frame->setCentralWidget(widget);
            break;
        }
        default: widget = qt::makePicture(w); break;
    }
    if (!widget) return false;
    widget->setWindowTitle(QString::fromStdString(w.caption));
    qt::registerWidget(w.id, widget);
    if (w.kind != WindowKind::Frame) widget->setVisible(w.visible);
    if (qt::inDocumentArea(w)) qt::fitDocumentArea(w.parent);
    return true;
}

void windowDestroyed(WindowId id) {
    QWidget* widget = qt::widgetOf(id);
    qt::forgetWidget(id);
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
    qt::fitEveryDocumentArea();
}

void windowMoved(const detail::WindowRecord& w) {
    if (QWidget* widget = qt::widgetOf(w.id)) widget->move(w.x, w.y);
    if (qt::inDocumentArea(w)) qt::fitDocumentArea(w.parent);
}

void windowShown(const detail::WindowRecord& w) {
    QWidget* widget = qt::widgetOf(w.id);
    if (!widget) return;
    if (w.kind == WindowKind::Frame && w.visible) {
        // Without a window manager nobody maximises: fill the screen ourselves.
        const Rect area = desktopArea();
        widget->setGeometry(area.left, area.top, area.width(), area.height());
        widget->showMaximized();
    } else {
        widget->setVisible(w.visible);
    }
    if (qt::inDocumentArea(w)) qt::fitDocumentArea(w.parent);
}

void windowEnabled(const detail::WindowRecord& w) {
    if (QWidget* widget = qt::widgetOf(w.id)) widget->setEnabled(w.enabled);
    if (w.enabled) return;
    // Qt disables the windows a widget owns along with it; a window of ours
    // still counted as enabled (a dialog running over a disabled frame) stays
    // usable.
    for (auto& [id, other] : detail::windowTable()) {
        QWidget* o = qt::widgetOf(id);
        if (other.enabled && o && o->isWindow() && !o->isEnabled()) o->setEnabled(true);
    }
}

void windowMinimised(const detail::WindowRecord& w) {
    if (QWidget* widget = qt::widgetOf(w.id)) widget->showMinimized();
}

void windowRaised(const detail::WindowRecord& w) {
    QWidget* widget = qt::widgetOf(w.id);
    if (!widget) return;
    if (widget->isMinimized()) widget->showMaximized();
    widget->raise();
    widget->activateWindow();
    // Its floating panels stay in front of it, also where no window manager
    // keeps tool windows above their owner.
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->isVisible()) child->raise();
    }
}

void captionChanged(const detail::WindowRecord& w) {
    if (QWidget* widget = qt::widgetOf(w.id)) widget->setWindowTitle(QString::fromStdString(w.caption));
}

void pictureChanged(const detail::WindowRecord& w, const Rect& r) {
    if (QWidget* widget = qt::widgetOf(w.id)) widget->update(r.left, r.top, r.width(), r.height());
}

void menuChanged(const detail::WindowRecord& w) {
    if (auto* frame = dynamic_cast<qt::FrameWidget*>(qt::widgetOf(w.id))) qt::buildMenus(frame, w);
}

void checksChanged(const detail::WindowRecord& w) {
    if (auto* frame = dynamic_cast<qt::FrameWidget*>(qt::widgetOf(w.id))) qt::applyChecks(frame, w);
}

void statusChanged(const detail::WindowRecord& w) {
    if (auto* frame = dynamic_cast<qt::FrameWidget*>(qt::widgetOf(w.id))) qt::applyStatus(frame, w);
}

void pumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Widgets given up with deleteLater go only when asked to outside exec().
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Rect desktopArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {0, 0, 1024, 768};
    const QRect r = screen->availableGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Point cursor() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

}  // namespace backend
}  // namespace sc::platform
